#pragma once
#include "platform/clock.hpp"
#include "platform/events.hpp"
#include "platform/joystick_device.hpp"
#include "platform/key_repeat.hpp"
#include "platform/options_file.hpp"
#include "platform/pointer.hpp"
#include "platform/sound.hpp"

namespace kelvar {

// Everything the game core asks of the machine.
struct Services {
    Clock& clock;
    EventPump& events;
    Pointer& pointer;
    KeyRepeat& keyRepeat;
    JoystickDevice& joystick;
    SoundPlayer& sound;
    OptionsFile& options;
};

} // namespace kelvar
