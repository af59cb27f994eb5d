// The play field's keyboard: key codes, and which keys repeat when held and when.
#include "app/play_keys.hpp"

#include <gtest/gtest.h>

#include "app/key_codes.hpp"
#include "platform/sdl/sdl_services.hpp"

namespace kelvar {
namespace {

TEST(KeyCodes, TheKeypadSteersOnlyWithNumLockOff) {
    EXPECT_EQ(windowsKeyCode(SDLK_KP_6, KMOD_NONE), 39);
    EXPECT_EQ(windowsKeyCode(SDLK_KP_4, KMOD_NUM), 100);
    EXPECT_EQ(windowsKeyCode(SDLK_p, KMOD_NONE), 19);
}

// The repeat of the game's set-up: the shortest delay and the fastest rate.
RepeatTiming setUpTiming() {
    WindowKeyRepeat r;
    r.setKeyBoardDelay(0);
    r.setKeyBoardSpeed(31);
    return {r.delayMs(), r.periodMs()};
}

// Arrows and Space, held for a second, come at once, at 250 ms and then every 33 ms until the
// release; Pause and P never repeat.
TEST(PlayKeys, OnlyTheArrowsAndSpaceRepeatAfterTheDelayAtTheRate) {
    for (SDL_Keycode sym : {SDLK_LEFT, SDLK_SPACE, SDLK_PAUSE, SDLK_p}) {
        PlayKeys keys;
        std::vector<Millis> at;
        if (keys.press(sym, KMOD_NONE, 0, setUpTiming())) at.push_back(0);
        for (Millis t = 1; t < 1500; ++t) {
            if (t == 1000) keys.release(sym);
            if (keys.repeatDue(t)) at.push_back(t);
        }
        std::vector<Millis> want{0};
        for (Millis t = 250; sym != SDLK_PAUSE && sym != SDLK_p && t < 1000; t += 33)
            want.push_back(t);
        EXPECT_EQ(at, want) << SDL_GetKeyName(sym);
    }
}

// Pause ends the repeat of an arrow held before it; releasing another key keeps it; losing the
// focus ends it.
TEST(PlayKeys, WhatEndsTheRepeat) {
    PlayKeys keys;
    const RepeatTiming t = setUpTiming();
    keys.press(SDLK_LEFT, KMOD_NONE, 0, t);
    keys.press(SDLK_PAUSE, KMOD_NONE, 10, t);
    EXPECT_EQ(keys.repeatDue(1000), 0);
    keys.press(SDLK_RIGHT, KMOD_NONE, 2000, t);
    keys.release(SDLK_LEFT);
    EXPECT_EQ(keys.repeatDue(2250), 39);
    keys.releaseAll();
    EXPECT_EQ(keys.repeatDue(2400), 0);
}

} // namespace
} // namespace kelvar
