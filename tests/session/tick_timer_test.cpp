#include <gtest/gtest.h>

#include <algorithm>
#include <array>

#include "session/tick_timer.hpp"

namespace kelvar {

// Which instant the next interval counts from, at the edges of each reason to move the phase:
// a tick held up by the previous one (its end at or past this one's due), a wake late by half
// an interval or more, a tick that ran before its due.
TEST(ArmFrom, EachReasonToMoveThePhaseAtItsEdge) {
    const std::array<Millis, 5> cases[] = {
        // due, start, previous end, interval, armed
        {100, 105, 99, 35, 100},  // late to wake only: the phase is kept
        {100, 105, 100, 35, 105}, // the previous tick ended on the due: held up
        {100, 105, 130, 35, 105}, // ... or past it
        {100, 116, 50, 35, 100},  // 16 < 17 ms late
        {100, 117, 50, 35, 117},  // half of 35, rounded down
        {100, 114, 50, 30, 100},  {100, 115, 50, 30, 115},  {100, 122, 50, 45, 122},
        {100, 121, 50, 45, 100},  {100, 90, 50, 35, 90}, // early: counts from the start
        {100, 100, 50, 35, 100},  {140, 140, 140, 35, 140},
    };
    for (const auto& [due, start, previousEnd, interval, armed] : cases)
        EXPECT_EQ(armFrom(due, start, previousEnd, static_cast<std::int16_t>(interval)), armed)
            << start << " " << previousEnd << " " << interval;
}

// Over 2,000 ticks that each wake 0 or 1 ms late, the mean period is the interval and no tick
// follows its predecessor by less than the interval less a millisecond: late wakes neither
// drift nor bunch. A stopped timer is never due.
TEST(ArmFrom, LateWakesNeitherDriftNorBunch) {
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
        t.Interval = 0;
        EXPECT_EQ(tickDueAt(t), std::nullopt);
    }
}

} // namespace kelvar
