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
    void set(int x, int button = -1, int hat = SDL_HAT_CENTERED, int y = 0) {
        SDL_JoystickSetVirtualAxis(handle, 0, Sint16(x));
        SDL_JoystickSetVirtualAxis(handle, 1, Sint16(y));
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
    std::tuple<std::int32_t, std::int32_t, std::uint32_t> read() {
        JoyReading r{-1, -1, 0xdead};
        EXPECT_TRUE(joystick.read(0, r));
        return {r.x, r.y, r.buttons};
    }
    SdlJoystick joystick;
};

// With no device: silent, the centre. A device plugged in later is seen and read raw, both axes
// as they stand and each button in its own bit; only the first joystick is played with. Pulled
// during play, the game reads the centre taken at set-up with no button; plugged in again, it is
// read again.
TEST_F(SdlJoystickTest, APlainJoystickIsReadRawAndAnUnpluggedOneAsTheCentre) {
    testing::internal::CaptureStderr();
    EXPECT_FALSE(joystick.present(0));
    EXPECT_EQ(read(), std::tuple(0, 0, 0u));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    auto device = std::make_unique<VirtualDevice>();
    ASSERT_TRUE(joystick.present(0));
    EXPECT_FALSE(joystick.present(1) || joystick.readsAsGameController());
    for (const auto& [x, y, button] :
         {std::tuple{100, -200, 0}, {-32768, 32767, 9}, {8192, 8193, 15}, {0, 0, -1}}) {
        device->set(x, button, SDL_HAT_CENTERED, y);
        EXPECT_EQ(read(), std::tuple(x, y, button < 0 ? 0u : 1u << button)) << x << " " << button;
    }
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
// game controller: the stick's both axes and the D-pad's four ways read as the game's left,
// centre or right (up being low, the D-pad winning); buttons a, b, x, y, the shoulders and start
// are the game's 1 to 7 one for one, back none; unplugged, it reads the centre.
TEST_F(SdlJoystickTest, AMappingFromTheEnvironmentMakesAGameController) {
    char guid[33] = {};
    SDL_JoystickGetGUIDString(SDL_JoystickGetGUID(VirtualDevice().handle), guid, sizeof guid);
    SDL_QuitSubSystem(SDL_INIT_JOYSTICK); // the mappings are read when the subsystem starts
    // Mappings leave out the CRC of the device's name (the GUID's bytes 2 and 3).
    const std::string mapping = std::string(guid).replace(4, 4, "0000") +
                                ",Test Pad,a:b0,b:b1,x:b2,y:b3,leftshoulder:b4,rightshoulder:b5,"
                                "back:b6,start:b7,leftx:a0,lefty:a1,dpup:h0.1,dpright:h0.2,"
                                "dpdown:h0.4,dpleft:h0.8,";
    setenv("SDL_GAMECONTROLLERCONFIG", mapping.c_str(), 1);
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_JOYSTICK), 0) << SDL_GetError();
    unsetenv("SDL_GAMECONTROLLERCONFIG");
    VirtualDevice device;
    ASSERT_TRUE(joystick.present(0));
    ASSERT_TRUE(joystick.readsAsGameController());
    using namespace gamepad;
    struct Case {
        int x, y, hat;
        std::int32_t readX, readY;
    };
    const Case cases[] = {
        {0, 0, SDL_HAT_CENTERED, kCentre, kCentre},
        {kDeadZone, -kDeadZone, SDL_HAT_CENTERED, kCentre, kCentre},
        {-kDeadZone - 1, kDeadZone + 1, SDL_HAT_CENTERED, kLeft, kRight},
        {0, 0, SDL_HAT_UP, kCentre, kLeft},
        {0, 0, SDL_HAT_LEFTDOWN, kLeft, kRight},
        {-32768, 9000, SDL_HAT_RIGHTUP, kRight, kLeft},
    };
    for (const auto& c : cases) {
        device.set(c.x, -1, c.hat, c.y);
        EXPECT_EQ(read(), std::tuple(c.readX, c.readY, 0u)) << c.x << " " << c.y << " " << c.hat;
    }
    const std::uint32_t gameButton[8] = {1u,      1u << 1, 1u << 2, 1u << 3,
                                         1u << 4, 1u << 5, 0u,      1u << 6};
    for (int b = 0; b < 8; ++b) {
        device.set(0, b);
        EXPECT_EQ(read(), std::tuple(kCentre, kCentre, gameButton[b])) << "b" << b;
    }
    device.unplug();
    EXPECT_EQ(read(), std::tuple(kCentre, kCentre, 0u));
}

// A stick steers once it is pushed past a quarter of its travel (8192 of 32768), either way;
// a D-pad held one way wins over the stick, both ways held at once is no way.
TEST(GamepadDirection, AQuarterOfTravelIsDeadAndTheDpadWins) {
    using namespace gamepad;
    struct Case {
        int stick;
        bool low, high;
        std::int32_t reads;
    };
    const Case cases[] = {{8192, false, false, kCentre},  {8193, false, false, kRight},
                          {-8192, false, false, kCentre}, {-8193, false, false, kLeft},
                          {0, true, false, kLeft},        {0, false, true, kRight},
                          {32767, true, false, kLeft},    {-32768, false, true, kRight},
                          {32767, true, true, kCentre},   {-32768, true, true, kCentre}};
    for (const auto& c : cases)
        EXPECT_EQ(direction(c.stick, c.low, c.high), c.reads)
            << c.stick << " " << c.low << " " << c.high;
    EXPECT_EQ(std::pair(kLeft, kRight), std::pair(-32767, 32767));
}

} // namespace
} // namespace kelvar
