#include "platform/sdl/sdl_joystick.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "playfield/joystick.hpp"

namespace kelvar {
namespace {

// SDL's virtual joysticks stand in for devices: 2 axes, 16 buttons, 1 hat, driven through a
// handle of their own.
struct VirtualDevice {
    VirtualDevice() {
        const int index = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_UNKNOWN, 2, 16, 1);
        EXPECT_GE(index, 0) << SDL_GetError();
        id = SDL_JoystickGetDeviceInstanceID(index);
        handle = SDL_JoystickOpen(index);
    }
    ~VirtualDevice() { unplug(); }
    void unplug() {
        if (!handle) return;
        SDL_JoystickClose(handle);
        handle = nullptr;
        for (int i = 0; i < SDL_NumJoysticks(); ++i)
            if (SDL_JoystickGetDeviceInstanceID(i) == id) SDL_JoystickDetachVirtual(i);
    }
    SDL_JoystickID id = -1;
    SDL_Joystick* handle = nullptr;
};

// Keeps the joystick subsystem up for the test's own devices; the device under test starts and
// stops its own reference to it.
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
    const JoyReading none = read(joystick);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(std::tie(none.x, none.y, none.buttons), std::make_tuple(0, 0, 0u));

    VirtualDevice device;
    ASSERT_TRUE(joystick.present(0));
    EXPECT_FALSE(joystick.readsAsGameController());
    EXPECT_FALSE(joystick.present(1)); // only the first joystick is played with
    SDL_JoystickSetVirtualAxis(device.handle, 0, -1234);
    SDL_JoystickSetVirtualAxis(device.handle, 1, 555);
    for (int b : {0, 9, 15}) SDL_JoystickSetVirtualButton(device.handle, b, 1);
    const JoyReading got = read(joystick);
    EXPECT_EQ(std::tie(got.x, got.y, got.buttons),
              std::make_tuple(-1234, 555, (1u << 0) | (1u << 9) | (1u << 15)));
}

// A device pulled during play reads the centre taken at set-up, with no button, through the
// game's own joystick module; plugged in again, it is read again.
TEST_F(SdlJoystickTest, UnpluggedDeviceReadsTheCentreUntilOneIsBack) {
    for (const Sint16 atSetUp : {Sint16{0}, Sint16{-20000}}) {
        SdlJoystick sdl;
        JoystickState joy;
        auto device = std::make_unique<VirtualDevice>();
        SDL_JoystickSetVirtualAxis(device->handle, 0, atSetUp);
        ASSERT_TRUE(InitJoystick(joy, sdl, 0));
        SDL_JoystickSetVirtualAxis(device->handle, 0, -32768); // held left, firing
        SDL_JoystickSetVirtualButton(device->handle, 2, 1);
        PollJoystick(joy, sdl);
        EXPECT_TRUE(joy.JoyButton[2]);

        device->unplug();
        PollJoystick(joy, sdl);
        EXPECT_EQ(joy.JoyX, atSetUp);
        for (bool held : joy.JoyButton) EXPECT_FALSE(held);

        VirtualDevice again;
        SDL_JoystickSetVirtualAxis(again.handle, 0, 3000);
        PollJoystick(joy, sdl);
        EXPECT_EQ(joy.JoyX, 3000);
    }
}

// A mapping given through SDL_GAMECONTROLLERCONFIG before SDL starts makes a plain joystick a
// game controller: stick and D-pad give left, centre or right, its buttons give 1 to 7.
TEST_F(SdlJoystickTest, MappingFromTheEnvironmentMakesAGameController) {
    char guid[33] = {};
    SDL_JoystickGetGUIDString(SDL_JoystickGetGUID(VirtualDevice().handle), guid, sizeof guid);
    SDL_QuitSubSystem(SDL_INIT_JOYSTICK); // the mappings are read when the subsystem starts
    // Mappings leave out the CRC of the device's name (the GUID's bytes 2 and 3).
    const std::string mapping = std::string(guid).replace(4, 4, "0000") +
                                ",Test Pad,a:b0,b:b1,x:b2,y:b3,leftshoulder:b4,rightshoulder:b5,"
                                "back:b6,start:b7,guide:b8,leftx:a0,lefty:a1,"
                                "dpup:h0.1,dpright:h0.2,dpdown:h0.4,dpleft:h0.8,";
    setenv("SDL_GAMECONTROLLERCONFIG", mapping.c_str(), 1);
    const int started = SDL_InitSubSystem(SDL_INIT_JOYSTICK);
    unsetenv("SDL_GAMECONTROLLERCONFIG");
    ASSERT_EQ(started, 0) << SDL_GetError();

    SdlJoystick joystick;
    VirtualDevice device;
    ASSERT_TRUE(joystick.present(0));
    ASSERT_TRUE(joystick.readsAsGameController());
    using namespace gamepad;
    const struct {
        Sint16 stick;
        Uint8 hat;
        std::int32_t x;
    } moves[] = {
        {kDeadZone, SDL_HAT_CENTERED, kCentre}, // at the dead zone's edge
        {-kDeadZone - 1, SDL_HAT_CENTERED, kLeft},
        {kDeadZone + 1, SDL_HAT_CENTERED, kRight},
        {0, SDL_HAT_RIGHTUP, kRight},
        {-32768, SDL_HAT_RIGHT, kRight}, // the D-pad wins over the stick
        {32767, SDL_HAT_LEFT, kLeft},
    };
    for (const auto& m : moves) {
        SDL_JoystickSetVirtualAxis(device.handle, 0, m.stick);
        SDL_JoystickSetVirtualHat(device.handle, 0, m.hat);
        EXPECT_EQ(read(joystick).x, m.x) << m.stick << " hat " << int(m.hat);
    }
    // Device buttons b0..b5 and b7 (start) are the game's buttons 1 to 7; back and guide are not.
    const std::pair<int, std::uint32_t> presses[] = {
        {0, 1u}, {5, 1u << 5}, {7, 1u << 6}, {6, 0u}, {8, 0u}};
    for (const auto& [button, bits] : presses) {
        SDL_JoystickSetVirtualButton(device.handle, button, 1);
        EXPECT_EQ(read(joystick).buttons, bits) << button;
        SDL_JoystickSetVirtualButton(device.handle, button, 0);
    }
    SDL_JoystickSetVirtualButton(device.handle, 0, 1);
    device.unplug();
    const JoyReading gone = read(joystick);
    EXPECT_EQ(gone.x, kCentre);
    EXPECT_EQ(gone.buttons, 0u);
}

} // namespace
} // namespace kelvar
