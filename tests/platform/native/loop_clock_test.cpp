#include <gtest/gtest.h>

#include <algorithm>
#include <thread>

#include "platform/loop_clock.hpp"

namespace kelvar {
namespace {

// A sleep never ends before its instant, on any thread (the sound device sleeps on its own beside
// the loop); a wait ends once the millisecond reading is past it; the event wait never waits for
// a deadline that has passed.
TEST(MonoClock, SleepsAndTickDelaysNeverEndEarly) {
    const auto sleeps = [] {
        for (const int us : {0, 300, 1500, 4000}) {
            const std::int64_t due = monotonicMicros() + us;
            sleepUntilMonotonicMicros(due);
            EXPECT_GE(monotonicMicros(), due) << us;
        }
    };
    std::thread other(sleeps);
    sleeps();
    other.join();
    MonoClock clock;
    for (std::int32_t ms : {0, 7, -3}) {
        const Millis start = clock.now();
        clock.tickDelay(ms);
        EXPECT_GT(clock.now(), start + Millis(std::max(ms, 0))) << ms;
    }
    EXPECT_EQ(eventWaitMillis(9'000, 1'000), 0);
}

// The event wait stops 4 ms before the deadline, in whole milliseconds rounded down, so that
// the rest can be slept to the microsecond; within those 4 ms it only polls.
TEST(EventWaitMillis, StopsFourMillisecondsShortOfTheDeadline) {
    const std::tuple<std::int64_t, std::int64_t, int> cases[] = {
        {0, 0, 0},           {0, 4'000, 0},      {0, 4'999, 0},
        {0, 5'000, 1},       {0, 5'999, 1},      {1'000'000, 1'035'000, 31},
        {2'500, 37'000, 30}, {40'000, 35'000, 0}};
    for (const auto& [now, due, wait] : cases)
        EXPECT_EQ(eventWaitMillis(now, due), wait) << now << " " << due;
}

// A TickDelay(ms) begun at reading `start` is over at the first instant the reading is past
// start + ms; a wait of nothing or less still waits for the next millisecond.
TEST(TickDelayDeadline, IsTheStartOfTheMillisecondAfterTheWait) {
    const std::tuple<Millis, std::int32_t, std::int64_t> cases[] = {
        {10, 5, 16'000},
        {10, 0, 11'000},
        {10, -3, 11'000},
        {0, 1000, 1'001'000},
        {4'000'000'000u, 35, 4'000'000'036'000}};
    for (const auto& [start, ms, micros] : cases)
        EXPECT_EQ(tickDelayDeadlineMicros(start, ms), micros) << start << " " << ms;
}

} // namespace
} // namespace kelvar
