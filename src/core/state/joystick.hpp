#pragma once
#include <array>
#include <cstdint>

#include "platform/joystick_device.hpp"

namespace kelvar {

// The joystick module's readings, kept for the whole run.
struct JoystickState {
    std::int32_t JoyId = 0;
    std::int32_t JoyCenterX = 0, JoyCenterY = 0;
    std::int32_t JoyX = 0, JoyY = 0;
    std::array<bool, 16> JoyButton{};
    JoyReading last; // the last successful reading; all zero until one succeeds
};

// True if joystick `joyNum` is present; then its current position becomes the centre.
bool InitJoystick(JoystickState& joy, JoystickDevice& device, std::int32_t joyNum);
// Reads the stick and the buttons; a failed read keeps the last reading.
void PollJoystick(JoystickState& joy, JoystickDevice& device);

} // namespace kelvar
