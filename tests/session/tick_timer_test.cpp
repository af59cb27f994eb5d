#include <gtest/gtest.h>

#include <algorithm>

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

} // namespace
} // namespace kelvar
