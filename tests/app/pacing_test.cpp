// The window's pacing logic on a virtual clock: how the timer re-arms, when a wait is over, and
// when the play field needs drawing.
#include <gtest/gtest.h>

#include "app/loop_clock.hpp"
#include "app/shown_frame.hpp"
#include "app/sound_log.hpp"
#include "app/tick_driver.hpp"
#include "platform/virtual/virtual_services.hpp"

namespace kelvar {
namespace {

TEST(ArmFrom, KeepsThePhaseOnlyForATickThatWasLateToWake) {
    struct Case {
        Millis due, start, previousEnd;
        Millis expected;
        const char* what;
    };
    for (const Case c : {Case{100, 100, 65, 100, "on time"},
                         {100, 103, 65, 100, "woke 3 ms late"},
                         {100, 116, 65, 100, "woke just under half an interval late"},
                         {100, 117, 65, 117, "half an interval late: a new phase"},
                         {100, 160, 65, 160, "a whole period missed"},
                         {100, 140, 140, 140, "held up by the previous tick's waits"},
                         {100, 100, 100, 100, "the previous tick ended just on due"}})
        EXPECT_EQ(armFrom(c.due, c.start, c.previousEnd, 35), c.expected) << c.what;
}

// Ticks that each wake 0 or 1 ms late, over 2,000 ticks of each interval: the mean period
// is the interval, and no tick follows its predecessor by less than half an interval.
TEST(ArmFrom, LateWakesNeitherDriftNorBunch) {
    const auto lateness = [](int n) -> Millis { return n % 3 == 0 ? 1 : 0; };
    for (const std::int16_t interval : {30, 35, 40, 45}) {
        Timer t;
        t.Interval = interval;
        Millis previousEnd = 0, firstStart = 0, lastStart = 0;
        Millis shortestGap = 1000;
        for (int n = 0; n < 2000; ++n) {
            const Millis due = *tickDueAt(t);
            const Millis start = due + lateness(n);
            if (n == 0)
                firstStart = start;
            else
                shortestGap = std::min(shortestGap, start - lastStart);
            lastStart = start;
            t.armedAt = armFrom(due, start, previousEnd, interval);
            previousEnd = start;
        }
        EXPECT_EQ(lastStart - firstStart,
                  1999u * static_cast<Millis>(interval) + lateness(1999) - lateness(0))
            << interval;
        EXPECT_GE(shortestGap, static_cast<Millis>(interval) - 1) << interval;
    }
}

TEST(TickDelayDeadline, IsMeasuredFromTheCallsReading) {
    struct Case {
        Millis start;
        std::int32_t ms;
        std::int64_t expected;
    };
    for (const Case c :
         {Case{100, 20, 121'000}, {100, 0, 101'000}, {100, -5, 101'000}, {0, 450, 451'000}})
        EXPECT_EQ(tickDelayDeadlineMicros(c.start, c.ms), c.expected) << c.start << "+" << c.ms;
}

TEST(ShownFrame, DrawsOnlyWhatChangedOnTheScreen) {
    ShownFrame frame;
    Elements el = designElements();
    EXPECT_TRUE(frame.needsDrawing(el)) << "a new window";
    frame.presented(el);
    EXPECT_FALSE(frame.needsDrawing(el));

    el.Timer1.armedAt += 35; // not drawn
    EXPECT_FALSE(frame.needsDrawing(el));

    struct Change {
        const char* what;
        void (*apply)(Elements&);
    };
    for (const Change c : {Change{"an enemy moved", [](Elements& e) { e.EmySpot[3].Top += 1; }},
                           {"a caption", [](Elements& e) { e.ScoreText.Caption += "0"; }},
                           {"a star's colour", [](Elements& e) { e.Star[7].FillColor ^= 1; }},
                           {"the flash", [](Elements& e) { e.BackColor ^= 15; }},
                           {"the strength bar", [](Elements& e) { e.LifeBar.Width -= 1; }}}) {
        Elements changed = el;
        c.apply(changed);
        EXPECT_TRUE(frame.needsDrawing(changed)) << c.what;
    }
    frame.invalidate(); // exposed
    EXPECT_TRUE(frame.needsDrawing(el));
}

TEST(SoundLog, BringsTheWindowUpToDateOnlyBeforeABlockingSound) {
    VirtualClock clock;
    SdlSound sound(clock, SdlSound::Output::Silent);
    int draws = 0;
    SoundLog log(sound, [&] { ++draws; });
    log.playSound(15, SND_ASYNC | SND_MEMORY);
    EXPECT_EQ(draws, 0);
    log.playSound(25, SND_MEMORY);
    EXPECT_EQ(draws, 1);
}

} // namespace
} // namespace kelvar
