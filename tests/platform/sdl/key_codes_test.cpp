#include "platform/sdl/key_codes.hpp"

#include <gtest/gtest.h>

#include "platform/sdl/sdl_services.hpp"

namespace kelvar {
namespace {

// The code the game hears for each key: the playing keys, the keypad with NumLock off steering
// like the arrows and with it on giving its digits, letters, digits and F-keys by their
// Windows codes; a key the game has no code for gives 0.
TEST(KeyCodes, EachKeyGivesTheGameItsWindowsCode) {
    // With no modifier.
    const std::pair<SDL_Keycode, int> plain[] = {
        {SDLK_LEFT, 37},   {SDLK_RIGHT, 39},  {SDLK_UP, 38},      {SDLK_DOWN, 40},
        {SDLK_SPACE, 32},  {SDLK_ESCAPE, 27}, {SDLK_PAUSE, 19},   {SDLK_p, 19},
        {SDLK_RETURN, 13}, {SDLK_KP_4, 37},   {SDLK_KP_6, 39},    {SDLK_KP_8, 38},
        {SDLK_KP_2, 40},   {SDLK_KP_5, 12},   {SDLK_KP_0, 45},    {SDLK_KP_PERIOD, 46},
        {SDLK_a, 65},      {SDLK_0, 48},      {SDLK_9, 57},       {SDLK_F1, 112},
        {SDLK_F12, 123},   {SDLK_F13, 0},     {SDLK_CAPSLOCK, 0}, {SDLK_LSHIFT, 0}};
    for (const auto& [sym, code] : plain)
        EXPECT_EQ(windowsKeyCode(sym, KMOD_NONE), code) << SDL_GetKeyName(sym);
    // With NumLock or Shift.
    const std::tuple<SDL_Keycode, Uint16, int> modified[] = {
        {SDLK_p, KMOD_SHIFT, 19},
        {SDLK_KP_ENTER, KMOD_NUM, 13},
        {SDLK_LEFT, KMOD_NUM, 37},
        {SDLK_KP_4, KMOD_NUM, 100},
        {SDLK_KP_6, KMOD_NUM, 102},
        {SDLK_KP_0, KMOD_NUM, 96},
        {SDLK_KP_9, KMOD_NUM | KMOD_SHIFT, 105},
        {SDLK_KP_PERIOD, KMOD_NUM, 0},
        {SDLK_z, KMOD_SHIFT, 90}};
    for (const auto& [sym, mod, code] : modified)
        EXPECT_EQ(windowsKeyCode(sym, mod), code) << SDL_GetKeyName(sym) << " " << mod;
}

// Held down, every key repeats but Pause and P, whichever way Pause comes.
TEST(KeyCodes, AllButPauseRepeat) {
    for (const SDL_Keycode sym : {SDLK_LEFT, SDLK_RIGHT, SDLK_SPACE, SDLK_ESCAPE, SDLK_a, SDLK_KP_4,
                                  SDLK_RETURN, SDLK_PAUSE, SDLK_p})
        EXPECT_EQ(keyRepeats(windowsKeyCode(sym), sym), sym != SDLK_PAUSE && sym != SDLK_p)
            << SDL_GetKeyName(sym);
    EXPECT_FALSE(keyRepeats(0, SDLK_PAUSE));
}

// The game sets the keyboard's repeat as the desktop's settings go: a delay of 0 to 3 quarters
// of a second less one, a rate of 0 (about 2.5 a second) to 31 (about 30 a second); a setting out
// of range is refused and changes nothing.
TEST(WindowKeyRepeat, TakesTheDesktopsSettingsAndRefusesOthers) {
    WindowKeyRepeat r;
    for (const auto& [delay, ok, ms] : {std::tuple{0, true, 250u},
                                        {3, true, 1000u},
                                        {1, true, 500u},
                                        {4, false, 500u},
                                        {-1, false, 500u}}) {
        EXPECT_EQ(r.setKeyBoardDelay(delay), ok) << delay;
        EXPECT_EQ(r.delayMs(), ms) << delay;
    }
    for (const auto& [speed, ok, ms] : {std::tuple{31, true, 33u},
                                        {0, true, 400u},
                                        {15, true, 223u},
                                        {32, false, 223u},
                                        {-1, false, 223u}}) {
        EXPECT_EQ(r.setKeyBoardSpeed(speed), ok) << speed;
        EXPECT_EQ(r.periodMs(), ms) << speed;
    }
}

} // namespace
} // namespace kelvar
