#include <gtest/gtest.h>

#include <algorithm>

#include "platform/loop_clock.hpp"

namespace kelvar {
namespace {

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

} // namespace
} // namespace kelvar
