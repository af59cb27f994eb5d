#pragma once
// The joystick as the game reads it, passed on to a recorder: the reading at a game's set-up
// and every reading inside a tick.
#include <functional>

#include "platform/joystick_device.hpp"

namespace kelvar {

class RecordingJoystick final : public JoystickDevice {
  public:
    struct Listener {
        std::function<void(bool present, JoyReading centre)> setUp;
        std::function<void(JoyReading)> tickRead;
    };
    RecordingJoystick(JoystickDevice& inner, Listener listener)
        : inner_(inner), listener_(std::move(listener)) {}

    // Set by the loop: whether the reads now are a tick's.
    bool inTick = false;

    bool present(std::int32_t id) override {
        const bool found = inner_.present(id);
        if (!inTick && !found && listener_.setUp) listener_.setUp(false, {});
        return found;
    }
    bool read(std::int32_t id, JoyReading& out) override {
        if (!inner_.read(id, out)) return false;
        if (inTick) {
            if (listener_.tickRead) listener_.tickRead(out);
        } else if (listener_.setUp) {
            listener_.setUp(true, out);
        }
        return true;
    }

  private:
    JoystickDevice& inner_;
    Listener listener_;
};

} // namespace kelvar
