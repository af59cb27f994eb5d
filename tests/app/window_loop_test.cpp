#include <SDL.h>
#include <gtest/gtest.h>

#include <sstream>

#include "app/game_recorder.hpp"
#include "app/play_keys.hpp"
#include "app/sound_log.hpp"
#include "platform/posix/loop_clock.hpp"
#include "platform/sdl/sdl_services.hpp"
#include "platform/virtual/virtual_services.hpp"
#include "resources/sounds.hpp"
#include "screens/shown_frame.hpp"
#include "session/tick_timer.hpp"

namespace kelvar {
namespace {

// A tick only late to wake keeps the period's phase; one held up by the previous tick's waits,
// or late by half an interval or more, starts a new phase, never a burst to catch up. Over
// 2,000 ticks that each wake 0 or 1 ms late, the mean period is the interval and no tick follows
// its predecessor by less than the interval less a millisecond.
TEST(ArmFrom, LateWakesNeitherDriftNorBunch) {
    for (const auto& [start, previousEnd, armed] :
         {std::tuple{116, 65, 100}, {117, 65, 117}, {160, 65, 160}, {140, 140, 140}})
        EXPECT_EQ(armFrom(100, start, previousEnd, 35), Millis(armed)) << start;
    for (const std::int16_t interval : {30, 45}) {
        Timer t;
        t.Interval = interval;
        Millis previousEnd = 0, first = *tickDueAt(t), shortestGap = 1000;
        for (int n = 0; n < 2000; ++n) {
            const Millis start = *tickDueAt(t) + (n % 3 == 0 ? 1 : 0);
            if (n > 0) shortestGap = std::min(shortestGap, start - previousEnd);
            t.armedAt = armFrom(*tickDueAt(t), start, previousEnd, interval);
            previousEnd = start;
        }
        EXPECT_EQ(previousEnd - first, 1999u * interval) << interval;
        EXPECT_GE(shortestGap, Millis(interval) - 1) << interval;
    }
}

// A wait ends once the millisecond reading is past it; the event wait never waits for a
// deadline that has passed.
TEST(MonoClock, TickDelayEndsOnlyWhenTheReadingIsPastItsWait) {
    MonoClock clock;
    for (std::int32_t ms : {0, 7, -3}) {
        const Millis start = clock.now();
        clock.tickDelay(ms);
        EXPECT_GT(clock.now(), start + Millis(std::max(ms, 0))) << ms;
    }
    EXPECT_EQ(eventWaitMillis(9'000, 1'000), 0);
}

TEST(ShownFrame, DrawsOnlyWhatChangedOnTheScreen) {
    ShownFrame frame;
    Elements el = designElements();
    EXPECT_TRUE(frame.needsDrawing(el)) << "a new window";
    frame.presented(el);
    el.Timer1.armedAt += 35; // not drawn
    EXPECT_FALSE(frame.needsDrawing(el));
    for (int change = 0; change < 4; ++change) {
        Elements e = el;
        if (change == 0) e.EmySpot[3].Top += 1;
        if (change == 1) e.ScoreText.Caption += "0";
        if (change == 2) e.Star[7].FillColor ^= 1;
        if (change == 3) e.BackColor ^= 15; // the flash
        EXPECT_TRUE(frame.needsDrawing(e)) << change;
    }
    frame.invalidate(); // exposed
    EXPECT_TRUE(frame.needsDrawing(el));
}

// Only sounds that were heard are listed; only a sound played to its end brings the window up to
// date first.
TEST(SoundLog, ListsOnlySoundsThatStartedAndDrawsBeforeABlockingOne) {
    VirtualClock clock;
    SdlSound sound(clock, resources::soundBytes, SdlSound::Output::Silent);
    int draws = 0;
    SoundLog log(sound, [&] { ++draws; });
    log.playSound(15, SND_ASYNC | SND_MEMORY);              // the hit sound
    log.playSound(16, SND_ASYNC | SND_NOSTOP | SND_MEMORY); // a launch while it plays: silent
    EXPECT_EQ(log.take(), std::vector<int>{15});
    EXPECT_TRUE(log.take().empty());
    EXPECT_EQ(draws, 0);
    log.playSound(25, SND_MEMORY);
    EXPECT_EQ(draws, 1);
}

// Arrows and Space, held for a second, come at once, at 250 ms and then every 33 ms until the
// release; Pause and P never repeat. Pause ends the repeat of an arrow held before it; releasing
// another key keeps it; losing the focus ends it. The timing is the game's set-up: the shortest
// delay and the fastest rate.
TEST(PlayKeys, OnlyTheArrowsAndSpaceRepeatUntilReleasedPausedOrUnfocused) {
    WindowKeyRepeat r;
    r.setKeyBoardDelay(0);
    r.setKeyBoardSpeed(31);
    const RepeatTiming timing{r.delayMs(), r.periodMs()};
    for (SDL_Keycode sym : {SDLK_LEFT, SDLK_SPACE, SDLK_PAUSE, SDLK_p}) {
        PlayKeys keys;
        std::vector<Millis> at;
        if (keys.press(sym, KMOD_NONE, 0, timing)) at.push_back(0);
        for (Millis t = 1; t < 1500; ++t) {
            if (t == 1000) keys.release(sym);
            if (keys.repeatDue(t)) at.push_back(t);
        }
        std::vector<Millis> want{0};
        for (Millis t = 250; sym != SDLK_PAUSE && sym != SDLK_p && t < 1000; t += 33)
            want.push_back(t);
        EXPECT_EQ(at, want) << SDL_GetKeyName(sym);
    }
    PlayKeys keys;
    keys.press(SDLK_LEFT, KMOD_NONE, 0, timing);
    keys.press(SDLK_PAUSE, KMOD_NONE, 10, timing);
    EXPECT_EQ(keys.repeatDue(1000), 0);
    keys.press(SDLK_RIGHT, KMOD_NONE, 2000, timing);
    keys.release(SDLK_LEFT);
    EXPECT_EQ(keys.repeatDue(2250), 39);
    keys.releaseAll();
    EXPECT_EQ(keys.repeatDue(2400), 0);
}

// The window's recorded game and its replay check the keys and the speed; keys before BEGIN are
// not the game's, and a joystick is recorded at set-up and then only when its reading changes.
TEST(GameRecorder, WritesTheJoystickAtSetUpAndOnlyItsChanges) {
    GameRecorder r;
    r.gameSetUp(12345);
    r.joystickAtSetUp(true, {-40, 7, 3});
    r.key(1, 0, 37);
    r.gameStarted(45);
    for (int tick : {1, 4, 5}) r.joystickRead(tick, {tick < 4 ? -40 : -300, 7, tick < 4 ? 0u : 1u});
    std::istringstream in(formatDemo(r.finish(10)));
    const Demo back = std::get<Demo>(parseDemo(in));
    EXPECT_EQ(std::tie(back.joystick, back.centre.x, back.centre.buttons, back.endTick),
              std::make_tuple(true, -40, 0u, std::optional<int>(10)));
    EXPECT_TRUE(back.keys.empty());
    ASSERT_EQ(back.joys.size(), 1u);
    EXPECT_EQ(std::tie(back.joys[0].tick, back.joys[0].reading.buttons), std::make_tuple(4, 1u));
}

} // namespace
} // namespace kelvar
