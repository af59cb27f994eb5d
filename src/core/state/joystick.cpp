#include "core/state/joystick.hpp"

namespace kelvar {

bool InitJoystick(JoystickState& joy, JoystickDevice& device, std::int32_t joyNum) {
    joy.JoyId = joyNum;
    if (!device.present(joy.JoyId)) return false;
    JoyReading r;
    if (device.read(joy.JoyId, r)) joy.last = r;
    joy.JoyCenterX = joy.last.x;
    joy.JoyCenterY = joy.last.y;
    return true;
}

void PollJoystick(JoystickState& joy, JoystickDevice& device) {
    JoyReading r;
    if (device.read(joy.JoyId, r)) joy.last = r;
    for (int i = 15; i >= 0; --i)
        joy.JoyButton[static_cast<std::size_t>(i)] = (joy.last.buttons >> i) & 1u;
    joy.JoyX = joy.last.x;
    joy.JoyY = joy.last.y;
}

} // namespace kelvar
