#pragma once
// When a demo's keys and joystick readings reach the game: the same rules in the window as
// without one.
#include <cstddef>

#include "session/demo.hpp"

namespace kelvar {

class DemoSchedule {
  public:
    explicit DemoSchedule(const Demo& demo) : demo_(demo) {}

    // Hands `deliver(code)` every key scheduled at (tick, point) or earlier and not yet given.
    template <typename Deliver> void deliverUpTo(int tick, int point, Deliver&& deliver) {
        while (next_ < demo_.keys.size()) {
            const DemoKey& k = demo_.keys[next_];
            if (k.tick > tick || (k.tick == tick && k.point > point)) break;
            ++next_;
            deliver(k.code);
        }
    }
    bool keysLeft() const { return next_ < demo_.keys.size(); }
    // The next key, whatever its tick (while the game is paused).
    int takeNextKey() { return demo_.keys[next_++].code; }
    // The joystick reading from tick `tick` on, or `current` if no line changes it.
    JoyReading joystickAt(int tick, JoyReading current) {
        while (nextJoy_ < demo_.joys.size() && demo_.joys[nextJoy_].tick <= tick)
            current = demo_.joys[nextJoy_++].reading;
        return current;
    }

  private:
    const Demo& demo_;
    std::size_t next_ = 0, nextJoy_ = 0;
};

} // namespace kelvar
