// The window's pacing on its clocks: how the timer re-arms, when a wait is over, and when the
// play field needs drawing.
#include <gtest/gtest.h>

#include "app/loop_clock.hpp"
#include "app/shown_frame.hpp"
#include "app/tick_driver.hpp"

namespace kelvar {
namespace {

TEST(ArmFrom, KeepsThePhaseOnlyForATickThatWasLateToWake) {
    const struct {
        Millis due, start, previousEnd, expected;
    } cases[] = {
        {100, 116, 65, 100},  // woke just under half an interval late
        {100, 117, 65, 117},  // half an interval late: a new phase
        {100, 160, 65, 160},  // a whole period missed: no burst to catch up
        {100, 140, 140, 140}, // held up by the previous tick's waits
    };
    for (const auto& c : cases) EXPECT_EQ(armFrom(c.due, c.start, c.previousEnd, 35), c.expected);
}

// Ticks that each wake 0 or 1 ms late, over 2,000 ticks of each interval: the mean period is
// the interval, and no tick follows its predecessor by less than half an interval.
TEST(ArmFrom, LateWakesNeitherDriftNorBunch) {
    for (const std::int16_t interval : {30, 35, 40, 45}) {
        Timer t;
        t.Interval = interval;
        Millis previousEnd = 0, firstStart = 0, lastStart = 0, shortestGap = 1000;
        for (int n = 0; n < 2000; ++n) {
            const Millis start = *tickDueAt(t) + (n % 3 == 0 ? 1 : 0);
            if (n == 0) firstStart = start;
            if (n > 0) shortestGap = std::min(shortestGap, start - lastStart);
            t.armedAt = armFrom(*tickDueAt(t), start, previousEnd, interval);
            previousEnd = lastStart = start;
        }
        EXPECT_EQ(lastStart - firstStart, 1999u * static_cast<Millis>(interval) - 1) << interval;
        EXPECT_GE(shortestGap, static_cast<Millis>(interval) - 1) << interval;
    }
}

TEST(MonoClock, TickDelayEndsOnlyWhenTheReadingIsPastItsWait) {
    MonoClock clock;
    for (std::int32_t ms : {0, 1, 7, -3}) {
        const Millis start = clock.now();
        clock.tickDelay(ms);
        EXPECT_GT(clock.now(), start + static_cast<Millis>(std::max(ms, 0))) << ms;
    }
    // The event wait stops short of the deadline, and never waits for one that has passed.
    EXPECT_EQ(eventWaitMillis(0, 100'000), 98);
    EXPECT_EQ(eventWaitMillis(0, 2'999), 0);
    EXPECT_EQ(eventWaitMillis(9'000, 1'000), 0);
}

TEST(ShownFrame, DrawsOnlyWhatChangedOnTheScreen) {
    ShownFrame frame;
    Elements el = designElements();
    EXPECT_TRUE(frame.needsDrawing(el)) << "a new window";
    frame.presented(el);
    el.Timer1.armedAt += 35; // not drawn
    EXPECT_FALSE(frame.needsDrawing(el));
    for (const auto apply :
         {+[](Elements& e) { e.EmySpot[3].Top += 1; },
          +[](Elements& e) { e.ScoreText.Caption += "0"; },
          +[](Elements& e) { e.Star[7].FillColor ^= 1; }, +[](Elements& e) { e.BackColor ^= 15; },
          +[](Elements& e) { e.LifeBar.Width -= 1; }}) {
        Elements changed = el;
        apply(changed);
        EXPECT_TRUE(frame.needsDrawing(changed));
    }
    frame.invalidate(); // exposed
    EXPECT_TRUE(frame.needsDrawing(el));
}

} // namespace
} // namespace kelvar
