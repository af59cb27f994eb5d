#include "platform/sdl/key_codes.hpp"

#include <array>
#include <utility>

#include "core/base/keys.hpp"

namespace kelvar {

namespace {

constexpr std::array<std::pair<SDL_Keycode, int>, 18> kNamedKeys{{
    {SDLK_LEFT, key::Left},
    {SDLK_RIGHT, key::Right},
    {SDLK_UP, 38},
    {SDLK_DOWN, 40},
    {SDLK_SPACE, key::Space},
    {SDLK_ESCAPE, key::Escape},
    {SDLK_PAUSE, key::Pause},
    {SDLK_p, key::Pause}, // for keyboards without a Pause key
    {SDLK_RETURN, 13},
    {SDLK_KP_ENTER, 13},
    {SDLK_BACKSPACE, 8},
    {SDLK_TAB, 9},
    {SDLK_HOME, 36},
    {SDLK_END, 35},
    {SDLK_PAGEUP, 33},
    {SDLK_PAGEDOWN, 34},
    {SDLK_INSERT, 45},
    {SDLK_DELETE, 46},
}};

// The keypad with NumLock off sends the keys printed under its digits.
constexpr std::array<std::pair<SDL_Keycode, int>, 11> kKeypadWithoutNumLock{{
    {SDLK_KP_4, key::Left},
    {SDLK_KP_6, key::Right},
    {SDLK_KP_8, 38},
    {SDLK_KP_2, 40},
    {SDLK_KP_7, 36},
    {SDLK_KP_1, 35},
    {SDLK_KP_9, 33},
    {SDLK_KP_3, 34},
    {SDLK_KP_0, 45},
    {SDLK_KP_PERIOD, 46},
    {SDLK_KP_5, 12},
}};

constexpr std::array<SDL_Keycode, 10> kKeypadDigits{SDLK_KP_0, SDLK_KP_1, SDLK_KP_2, SDLK_KP_3,
                                                    SDLK_KP_4, SDLK_KP_5, SDLK_KP_6, SDLK_KP_7,
                                                    SDLK_KP_8, SDLK_KP_9};

} // namespace

int windowsKeyCode(SDL_Keycode sym, Uint16 mod) {
    for (const auto& [s, code] : kNamedKeys)
        if (s == sym) return code;
    const bool numLock = (mod & KMOD_NUM) != 0;
    if (!numLock)
        for (const auto& [s, code] : kKeypadWithoutNumLock)
            if (s == sym) return code;
    for (std::size_t d = 0; d < kKeypadDigits.size(); ++d)
        if (kKeypadDigits[d] == sym) return 96 + static_cast<int>(d); // the numpad's digits
    if (sym >= SDLK_a && sym <= SDLK_z) return 'A' + (sym - SDLK_a);
    if (sym >= SDLK_0 && sym <= SDLK_9) return '0' + (sym - SDLK_0);
    if (sym >= SDLK_F1 && sym <= SDLK_F12) return 112 + (sym - SDLK_F1);
    return 0;
}

bool keyRepeats(int code, SDL_Keycode sym) {
    return code != key::Pause && sym != SDLK_PAUSE;
}

} // namespace kelvar
