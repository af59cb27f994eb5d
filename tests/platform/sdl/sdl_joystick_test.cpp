#include "platform/sdl/sdl_joystick.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "core/state/joystick.hpp"

namespace kelvar {
namespace {

// SDL's virtual joystick stands in for a device: 2 axes, 16 buttons, 1 hat.
struct VirtualDevice {
    int index = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_UNKNOWN, 2, 16, 1);
    SDL_JoystickID id = SDL_JoystickGetDeviceInstanceID(index);
    SDL_Joystick* handle = SDL_JoystickOpen(index);
    ~VirtualDevice() { unplug(); }
    void set(int axis0, int button = -1, int hat = SDL_HAT_CENTERED) {
        SDL_JoystickSetVirtualAxis(handle, 0, Sint16(axis0));
        for (int b = 0; b < 16; ++b) SDL_JoystickSetVirtualButton(handle, b, b == button);
        SDL_JoystickSetVirtualHat(handle, 0, Uint8(hat));
    }
    void unplug() {
        if (!handle) return;
        SDL_JoystickClose(std::exchange(handle, nullptr));
        for (int i = 0; i < SDL_NumJoysticks(); ++i)
            if (SDL_JoystickGetDeviceInstanceID(i) == id) SDL_JoystickDetachVirtual(i);
    }
};

class SdlJoystickTest : public testing::Test {
  protected:
    // Keeps the subsystem up for the test's own devices; the device under test starts and stops
    // its own reference to it.
    void SetUp() override {
        ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_JOYSTICK), 0) << SDL_GetError();
        if (SDL_NumJoysticks() != 0) GTEST_SKIP() << "a real joystick is plugged in";
    }
    void TearDown() override { SDL_QuitSubSystem(SDL_INIT_JOYSTICK); }
    std::pair<std::int32_t, std::uint32_t> read() {
        JoyReading r{-1, -1, 0xdead};
        EXPECT_TRUE(joystick.read(0, r));
        return {r.x, r.buttons};
    }
    SdlJoystick joystick;
};

// With no device: silent, the centre. A device plugged in later is seen and read raw; only the
// first joystick is played with. Pulled during play, the game reads the centre taken at set-up
// with no button; plugged in again, it is read again.
TEST_F(SdlJoystickTest, NoOrAnUnpluggedDeviceReadsTheCentreUntilOneIsBack) {
    testing::internal::CaptureStderr();
    EXPECT_FALSE(joystick.present(0));
    EXPECT_EQ(read(), std::pair(0, 0u));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    auto device = std::make_unique<VirtualDevice>();
    ASSERT_TRUE(joystick.present(0));
    EXPECT_FALSE(joystick.present(1) || joystick.readsAsGameController());
    device->set(-1234, 15);
    EXPECT_EQ(read(), std::pair(-1234, 1u << 15));
    JoystickState joy;
    device->set(-20000);
    ASSERT_TRUE(InitJoystick(joy, joystick, 0));
    device->set(-32768, 2); // held left, firing
    PollJoystick(joy, joystick);
    EXPECT_TRUE(joy.JoyButton[2]);
    device.reset();
    PollJoystick(joy, joystick);
    EXPECT_EQ(joy.JoyX, -20000);
    for (bool held : joy.JoyButton) EXPECT_FALSE(held);
    VirtualDevice again;
    again.set(3000);
    PollJoystick(joy, joystick);
    EXPECT_EQ(joy.JoyX, 3000);
}

// A mapping given through SDL_GAMECONTROLLERCONFIG before SDL starts makes a plain joystick a
// game controller: stick and D-pad give left, centre or right (the D-pad winning), its buttons
// b0..b5 and b7 (start) give the game's 1 to 7, back none.
TEST_F(SdlJoystickTest, MappingFromTheEnvironmentMakesAGameController) {
    char guid[33] = {};
    SDL_JoystickGetGUIDString(SDL_JoystickGetGUID(VirtualDevice().handle), guid, sizeof guid);
    SDL_QuitSubSystem(SDL_INIT_JOYSTICK); // the mappings are read when the subsystem starts
    // Mappings leave out the CRC of the device's name (the GUID's bytes 2 and 3).
    const std::string mapping = std::string(guid).replace(4, 4, "0000") +
                                ",Test Pad,a:b0,b:b1,x:b2,y:b3,leftshoulder:b4,rightshoulder:b5,"
                                "back:b6,start:b7,leftx:a0,lefty:a1,dpright:h0.2,dpleft:h0.8,";
    setenv("SDL_GAMECONTROLLERCONFIG", mapping.c_str(), 1);
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_JOYSTICK), 0) << SDL_GetError();
    unsetenv("SDL_GAMECONTROLLERCONFIG");
    VirtualDevice device;
    ASSERT_TRUE(joystick.present(0));
    ASSERT_TRUE(joystick.readsAsGameController());
    using namespace gamepad;
    for (const auto& [stick, button, hat, x, buttons] :
         {std::tuple{kDeadZone, 0, SDL_HAT_CENTERED, kCentre, 1u},
          {-kDeadZone - 1, 5, SDL_HAT_CENTERED, kLeft, 1u << 5},
          {-32768, 7, SDL_HAT_RIGHTUP, kRight, 1u << 6},
          {32767, 6, SDL_HAT_LEFT, kLeft, 0u}}) {
        device.set(stick, button, hat);
        EXPECT_EQ(read(), std::pair(x, buttons)) << stick;
    }
    device.unplug();
    EXPECT_EQ(read(), std::pair(kCentre, 0u));
}

} // namespace
} // namespace kelvar
