#pragma once
// The first pad or joystick on SDL, found again whenever one is plugged in. A pad that SDL knows
// as a game controller reads as a digital stick (left, centre or right) with seven fire buttons;
// any other joystick is read raw. A device that is gone reads the centre, with no button held.
#include <SDL.h>

#include <array>
#include <cstdint>

#include "platform/joystick_device.hpp"

namespace kelvar {

// What a game controller gives the game.
namespace gamepad {
// Stick positions reported for a pad: the stick at rest reads 0, so the centre taken at set-up
// is 0 and anything to its left is left.
constexpr std::int32_t kLeft = -32767, kCentre = 0, kRight = 32767;
// A quarter of full scale: a worn stick that rests a little off centre does not steer.
constexpr int kDeadZone = 8192;
// The game's buttons 1 to 7, in order (bit n of the reading is button n+1).
constexpr std::array<SDL_GameControllerButton, 7> kFireButtons{SDL_CONTROLLER_BUTTON_A,
                                                               SDL_CONTROLLER_BUTTON_B,
                                                               SDL_CONTROLLER_BUTTON_X,
                                                               SDL_CONTROLLER_BUTTON_Y,
                                                               SDL_CONTROLLER_BUTTON_LEFTSHOULDER,
                                                               SDL_CONTROLLER_BUTTON_RIGHTSHOULDER,
                                                               SDL_CONTROLLER_BUTTON_START};

// One axis made digital: the D-pad wins over the stick; both D-pad directions at once, or the
// stick inside the dead zone, read the centre.
std::int32_t direction(int stick, bool towardsLow, bool towardsHigh);
} // namespace gamepad

class SdlJoystick final : public JoystickDevice {
  public:
    SdlJoystick() = default;
    ~SdlJoystick() override;
    SdlJoystick(const SdlJoystick&) = delete;
    SdlJoystick& operator=(const SdlJoystick&) = delete;

    // Looks for devices again: the first game controller, else the first joystick, becomes
    // joystick 0 and its next reading becomes the centre.
    bool present(std::int32_t id) override;
    bool read(std::int32_t id, JoyReading& out) override;

    // Whether joystick 0, when there is one, is read through a game-controller mapping.
    bool readsAsGameController() const { return pad_ != nullptr; }

  private:
    bool startSubsystem();
    // Opens the best device unless the one that is open is already it; false when there is none.
    bool select(bool preferBetter);
    void close();
    JoyReading readDevice() const;

    bool started_ = false, failed_ = false;
    SDL_GameController* pad_ = nullptr;
    SDL_Joystick* joystick_ = nullptr; // the pad's joystick, or the raw one
    // The reading taken as the centre at the last set-up with a device, read while none is there.
    JoyReading centre_;
    bool takeCentre_ = false;
};

} // namespace kelvar
