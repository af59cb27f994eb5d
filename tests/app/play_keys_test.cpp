// The play field's keyboard: key codes, and which keys repeat when held and when.
#include "app/play_keys.hpp"

#include <gtest/gtest.h>

#include "app/key_codes.hpp"
#include "platform/sdl/sdl_services.hpp"

namespace kelvar {
namespace {

TEST(KeyCodes, ThePlayingKeysAndTheKeypadArrows) {
    const struct {
        SDL_Keycode sym;
        Uint16 mod;
        int code;
    } cases[] = {
        {SDLK_LEFT, KMOD_NONE, 37},
        {SDLK_RIGHT, KMOD_NONE, 39},
        {SDLK_SPACE, KMOD_NONE, 32},
        {SDLK_ESCAPE, KMOD_NONE, 27},
        {SDLK_PAUSE, KMOD_NONE, 19},
        {SDLK_p, KMOD_NONE, 19},
        // NumLock off: the keypad's 4 and 6 are its left and right arrows.
        {SDLK_KP_4, KMOD_NONE, 37},
        {SDLK_KP_6, KMOD_NONE, 39},
        {SDLK_KP_8, KMOD_NONE, 38},
        {SDLK_KP_2, KMOD_NONE, 40},
        // NumLock on: they are digits, which do not steer.
        {SDLK_KP_4, KMOD_NUM, 100},
        {SDLK_KP_6, KMOD_NUM, 102},
        {SDLK_a, KMOD_NONE, 'A'},
        {SDLK_F1, KMOD_NONE, 112},
        {SDLK_LSHIFT, KMOD_NONE, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(windowsKeyCode(c.sym, c.mod), c.code) << SDL_GetKeyName(c.sym) << " " << c.mod;
}

// The repeat of the game's set-up: the shortest delay and the fastest rate.
RepeatTiming setUpTiming() {
    WindowKeyRepeat r;
    EXPECT_TRUE(r.setKeyBoardDelay(0));
    EXPECT_TRUE(r.setKeyBoardSpeed(31));
    return {r.delayMs(), r.periodMs()};
}

TEST(KeyRepeatSettings, DelayAndRateMapToMilliseconds) {
    WindowKeyRepeat r;
    const struct {
        int delay, speed;
        std::uint32_t delayMs, periodMs;
    } cases[] = {{0, 31, 250, 33}, {3, 0, 1000, 400}, {1, 15, 500, 223}};
    for (const auto& c : cases) {
        ASSERT_TRUE(r.setKeyBoardDelay(c.delay));
        ASSERT_TRUE(r.setKeyBoardSpeed(c.speed));
        EXPECT_EQ(r.delayMs(), c.delayMs) << c.delay;
        EXPECT_EQ(r.periodMs(), c.periodMs) << c.speed;
    }
    // Out of range: refused, the last settings stay.
    EXPECT_FALSE(r.setKeyBoardDelay(4));
    EXPECT_FALSE(r.setKeyBoardSpeed(32));
    EXPECT_FALSE(r.setKeyBoardSpeed(-1));
    EXPECT_EQ(r.delayMs(), 500u);
}

// Deliveries of a key held from 0 to `releaseAt` ms, checked every millisecond.
std::vector<Millis> heldFor(SDL_Keycode sym, Millis releaseAt) {
    PlayKeys keys;
    std::vector<Millis> at;
    if (keys.press(sym, KMOD_NONE, 0, setUpTiming())) at.push_back(0);
    for (Millis t = 1; t < releaseAt; ++t)
        if (keys.repeatDue(t)) at.push_back(t);
    keys.release(sym);
    for (Millis t = releaseAt; t < releaseAt + 500; ++t)
        if (keys.repeatDue(t)) at.push_back(t);
    return at;
}

TEST(PlayKeys, ArrowsAndSpaceRepeatAfterTheDelayAtTheRate) {
    for (SDL_Keycode sym : {SDLK_LEFT, SDLK_RIGHT, SDLK_SPACE}) {
        const auto at = heldFor(sym, 1000);
        // At once, then at 250 ms, then every 33 ms until the release.
        ASSERT_GE(at.size(), 3u);
        EXPECT_EQ(at[0], 0u);
        EXPECT_EQ(at[1], 250u);
        EXPECT_EQ(at[2], 283u);
        EXPECT_EQ(at.size(), 2u + (1000 - 1 - 250) / 33);
        EXPECT_LT(at.back(), 1000u);
    }
}

TEST(PlayKeys, PauseAndPNeverRepeat) {
    for (SDL_Keycode sym : {SDLK_PAUSE, SDLK_p}) {
        const auto at = heldFor(sym, 1000);
        EXPECT_EQ(at, std::vector<Millis>{0}) << SDL_GetKeyName(sym);
    }
}

// Pause ends the repeat of an arrow held before it; releasing another key keeps it; losing the
// focus ends it.
TEST(PlayKeys, WhatEndsTheRepeat) {
    PlayKeys keys;
    const RepeatTiming t = setUpTiming();
    EXPECT_EQ(keys.press(SDLK_LEFT, KMOD_NONE, 0, t), 37);
    EXPECT_EQ(keys.press(SDLK_PAUSE, KMOD_NONE, 10, t), 19);
    EXPECT_FALSE(keys.nextRepeat().has_value());
    EXPECT_EQ(keys.repeatDue(1000), 0);
    keys.press(SDLK_RIGHT, KMOD_NONE, 2000, t);
    keys.release(SDLK_LEFT);
    EXPECT_EQ(keys.repeatDue(2250), 39);
    keys.releaseAll();
    EXPECT_EQ(keys.repeatDue(2400), 0);
}

} // namespace
} // namespace kelvar
