#pragma once
// The play field's keyboard: which key is held and when it repeats. The window makes its own
// repeat (the desktop's settings are left alone): after the delay, then at the rate, that the
// game's set-up chose.
#include <SDL.h>

#include <optional>

#include "platform/clock.hpp"

namespace kelvar {

struct RepeatTiming {
    std::uint32_t delayMs;
    std::uint32_t periodMs;
};

class PlayKeys {
  public:
    // A key went down (SDL's own repeats are not passed in). Returns the key code to hand to the
    // game now, 0 for none.
    int press(SDL_Keycode sym, Uint16 mod, Millis now, RepeatTiming timing);
    void release(SDL_Keycode sym);
    // The window lost the keyboard: nothing is held any more.
    void releaseAll() { held_.reset(); }
    // The held key's code when its repeat is due at `now` (and the next one is scheduled),
    // else 0.
    int repeatDue(Millis now);
    // When the next repeat is due; none while no repeating key is held.
    std::optional<Millis> nextRepeat() const;

  private:
    struct Held {
        SDL_Keycode sym;
        int code;
        Millis next;
        std::uint32_t periodMs;
    };
    std::optional<Held> held_;
};

} // namespace kelvar
