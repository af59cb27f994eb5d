#include "app/play_keys.hpp"

#include "platform/sdl/key_codes.hpp"

namespace kelvar {

int PlayKeys::press(SDL_Keycode sym, Uint16 mod, Millis now, RepeatTiming timing) {
    const int code = windowsKeyCode(sym, mod);
    if (keyRepeats(code, sym))
        held_ = Held{sym, code, now + timing.delayMs, timing.periodMs};
    else
        held_.reset(); // a key that does not repeat ends the repeat of the one before
    return code;
}

void PlayKeys::release(SDL_Keycode sym) {
    if (held_ && held_->sym == sym) held_.reset();
}

int PlayKeys::repeatDue(Millis now) {
    if (!held_ || now < held_->next) return 0;
    held_->next = now + held_->periodMs;
    return held_->code;
}

std::optional<Millis> PlayKeys::nextRepeat() const {
    if (!held_) return std::nullopt;
    return held_->next;
}

} // namespace kelvar
