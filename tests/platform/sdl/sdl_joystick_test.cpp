#include "platform/sdl/sdl_joystick.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "playfield/joystick.hpp"

namespace {

using kelvar::JoyReading;
using kelvar::SdlJoystick;
namespace gamepad = kelvar::gamepad;

// Virtual joysticks of SDL stand in for devices: 2 axes, 16 buttons, 1 hat.
class VirtualDevice {
  public:
    explicit VirtualDevice(SDL_JoystickType type = SDL_JOYSTICK_TYPE_UNKNOWN) {
        index_ = SDL_JoystickAttachVirtual(type, 2, 16, 1);
        EXPECT_GE(index_, 0) << SDL_GetError();
        if (index_ >= 0) {
            id_ = SDL_JoystickGetDeviceInstanceID(index_);
            handle_ = SDL_JoystickOpen(index_); // the virtual device is driven through a handle
        }
    }
    ~VirtualDevice() { unplug(); }
    VirtualDevice(const VirtualDevice&) = delete;
    VirtualDevice& operator=(const VirtualDevice&) = delete;

    void axis(int a, Sint16 v) { SDL_JoystickSetVirtualAxis(handle_, a, v); }
    void button(int b, bool down) { SDL_JoystickSetVirtualButton(handle_, b, down); }
    void hat(Uint8 v) { SDL_JoystickSetVirtualHat(handle_, 0, v); }
    void unplug() {
        if (!handle_) return;
        SDL_JoystickClose(handle_);
        handle_ = nullptr;
        for (int i = 0; i < SDL_NumJoysticks(); ++i)
            if (SDL_JoystickGetDeviceInstanceID(i) == id_) SDL_JoystickDetachVirtual(i);
    }
    std::string guid() const {
        char text[33] = {};
        SDL_JoystickGetGUIDString(SDL_JoystickGetGUID(handle_), text, sizeof text);
        return text;
    }

  private:
    int index_ = -1;
    SDL_JoystickID id_ = -1;
    SDL_Joystick* handle_ = nullptr;
};

// Keeps the joystick subsystem up for the test's own virtual devices; the device under test
// starts and stops its own reference to it.
class SdlJoystickTest : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_JOYSTICK), 0) << SDL_GetError();
        if (SDL_NumJoysticks() != 0) GTEST_SKIP() << "a real joystick is plugged in";
    }
    void TearDown() override { SDL_QuitSubSystem(SDL_INIT_JOYSTICK); }

    static JoyReading read(SdlJoystick& j) {
        JoyReading r{-1, -1, 0xdead};
        EXPECT_TRUE(j.read(0, r));
        return r;
    }
};

// With no device: silent, the centre; a device plugged in later is seen and read raw.
TEST_F(SdlJoystickTest, NoDeviceIsSilentAndAnUnmappedDeviceIsReadRaw) {
    SdlJoystick joystick;
    testing::internal::CaptureStderr();
    EXPECT_FALSE(joystick.present(0));
    JoyReading r{5, 5, 5};
    EXPECT_TRUE(joystick.read(0, r));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(r.x, 0);
    EXPECT_EQ(r.y, 0);
    EXPECT_EQ(r.buttons, 0u);

    VirtualDevice device;
    ASSERT_TRUE(joystick.present(0));
    EXPECT_FALSE(joystick.readsAsGameController());
    EXPECT_FALSE(joystick.present(1)); // only the first joystick is played with
    device.axis(0, -1234);
    device.axis(1, 555);
    for (int b : {0, 6, 9, 15}) device.button(b, true);
    const JoyReading got = read(joystick);
    EXPECT_EQ(got.x, -1234);
    EXPECT_EQ(got.y, 555);
    EXPECT_EQ(got.buttons, (1u << 0) | (1u << 6) | (1u << 9) | (1u << 15));
}

// A device pulled during play reads the centre taken at set-up, with no button, through the
// game's own joystick module; plugged in again, it is read again.
TEST_F(SdlJoystickTest, UnpluggedDeviceReadsTheCentreUntilOneIsBack) {
    for (const Sint16 atSetUp : {Sint16{0}, Sint16{-20000}}) {
        SCOPED_TRACE(atSetUp);
        SdlJoystick sdl;
        kelvar::JoystickState joy;
        auto device = std::make_unique<VirtualDevice>();
        device->axis(0, atSetUp);
        ASSERT_TRUE(kelvar::InitJoystick(joy, sdl, 0));
        EXPECT_EQ(joy.JoyCenterX, atSetUp);

        device->axis(0, -32768); // held left, firing
        device->button(2, true);
        kelvar::PollJoystick(joy, sdl);
        EXPECT_EQ(joy.JoyX, -32768);
        EXPECT_TRUE(joy.JoyButton[2]);

        device->unplug();
        for (int tick = 0; tick < 3; ++tick) {
            kelvar::PollJoystick(joy, sdl);
            EXPECT_EQ(joy.JoyX, joy.JoyCenterX);
            for (bool held : joy.JoyButton) EXPECT_FALSE(held);
        }

        VirtualDevice again;
        again.axis(0, 3000);
        kelvar::PollJoystick(joy, sdl);
        EXPECT_EQ(joy.JoyX, 3000);
    }
}

// A mapping given through SDL_GAMECONTROLLERCONFIG before SDL starts makes a plain joystick a
// game controller: stick and D-pad give left, centre or right, its buttons give 1 to 7.
TEST_F(SdlJoystickTest, MappingFromTheEnvironmentMakesAGameController) {
    std::string guid;
    {
        VirtualDevice probe;
        guid = probe.guid();
    }
    SDL_QuitSubSystem(SDL_INIT_JOYSTICK); // the mappings are read when the subsystem starts
    // Mappings leave out the CRC of the device's name (the GUID's bytes 2 and 3).
    const std::string mapping = guid.replace(4, 4, "0000") +
                                ",Test Pad,a:b0,b:b1,x:b2,y:b3,leftshoulder:b4,rightshoulder:b5,"
                                "back:b6,start:b7,guide:b8,leftx:a0,lefty:a1,"
                                "dpup:h0.1,dpright:h0.2,dpdown:h0.4,dpleft:h0.8,";
    setenv("SDL_GAMECONTROLLERCONFIG", mapping.c_str(), 1);
    const int started = SDL_InitSubSystem(SDL_INIT_JOYSTICK);
    unsetenv("SDL_GAMECONTROLLERCONFIG");
    ASSERT_EQ(started, 0) << SDL_GetError();
    {
        SdlJoystick joystick;
        VirtualDevice device;
        ASSERT_TRUE(joystick.present(0));
        ASSERT_TRUE(joystick.readsAsGameController());
        EXPECT_EQ(read(joystick).x, gamepad::kCentre);

        struct Case {
            Sint16 stick;
            Uint8 hat;
            std::int32_t expect;
        };
        for (const Case c : {
                 Case{0, SDL_HAT_CENTERED, gamepad::kCentre},
                 Case{-gamepad::kDeadZone, SDL_HAT_CENTERED, gamepad::kCentre}, // at its edge
                 Case{gamepad::kDeadZone, SDL_HAT_CENTERED, gamepad::kCentre},
                 Case{-gamepad::kDeadZone - 1, SDL_HAT_CENTERED, gamepad::kLeft},
                 Case{gamepad::kDeadZone + 1, SDL_HAT_CENTERED, gamepad::kRight},
                 Case{-32768, SDL_HAT_CENTERED, gamepad::kLeft},
                 Case{32767, SDL_HAT_CENTERED, gamepad::kRight},
                 Case{0, SDL_HAT_LEFT, gamepad::kLeft},
                 Case{0, SDL_HAT_RIGHTUP, gamepad::kRight},
                 Case{-32768, SDL_HAT_RIGHT, gamepad::kRight}, // the D-pad wins over the stick
                 Case{32767, SDL_HAT_LEFT, gamepad::kLeft},
             }) {
            device.axis(0, c.stick);
            device.hat(c.hat);
            EXPECT_EQ(read(joystick).x, c.expect) << c.stick << " hat " << int(c.hat);
        }
        device.axis(0, 0);
        device.hat(SDL_HAT_CENTERED);

        // Device buttons b0..b5 and b7 (start) are the game's buttons 1 to 7; back and guide
        // are not buttons of the game.
        struct Press {
            int deviceButton;
            std::uint32_t expect;
        };
        for (const Press p :
             {Press{0, 1u << 0}, Press{1, 1u << 1}, Press{2, 1u << 2}, Press{3, 1u << 3},
              Press{4, 1u << 4}, Press{5, 1u << 5}, Press{7, 1u << 6}, Press{6, 0}, Press{8, 0}}) {
            device.button(p.deviceButton, true);
            EXPECT_EQ(read(joystick).buttons, p.expect) << p.deviceButton;
            device.button(p.deviceButton, false);
        }
        device.unplug();
        const JoyReading gone = read(joystick);
        EXPECT_EQ(gone.x, gamepad::kCentre);
        EXPECT_EQ(gone.buttons, 0u);
    }
}

} // namespace
