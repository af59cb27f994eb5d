// The window loop's clock: waits end after their deadline, the event wait stops short of it.
#include "app/loop_clock.hpp"

#include <gtest/gtest.h>

#include "app/headless/trace.hpp"
#include "support/test_game.hpp"

namespace kelvar {
namespace {

TEST(EventWait, StopsShortOfTheDeadlineAndLeavesTheRestToTheExactSleep) {
    struct Case {
        std::int64_t now, due;
        int expected;
    };
    for (const Case c : {Case{0, 100'000, 98},
                         {0, 3'000, 1},
                         {0, 2'999, 0},
                         {0, 2'000, 0},
                         {5'000, 5'000, 0},
                         {9'000, 1'000, 0},
                         {1'500, 36'700, 33}})
        EXPECT_EQ(eventWaitMillis(c.now, c.due), c.expected) << c.now << " -> " << c.due;
}

TEST(MonoClock, MillisecondsAndMicrosecondsShareOneOrigin) {
    MonoClock clock;
    const std::int64_t us = clock.nowMicros();
    const Millis ms = clock.now();
    EXPECT_GE(static_cast<std::int64_t>(ms), us / 1000);
    EXPECT_GE(clock.nowMicros(), us);
}

TEST(MonoClock, TickDelayEndsOnlyWhenTheReadingIsPastItsWait) {
    MonoClock clock;
    for (std::int32_t ms : {0, 1, 7, -3}) {
        const Millis start = clock.now();
        clock.tickDelay(ms);
        EXPECT_GT(clock.now(), start + static_cast<Millis>(std::max(ms, 0))) << ms;
    }
}

TEST(MonoClock, AQuitDuringTheWaitEndsIt) {
    MonoClock clock;
    int calls = 0;
    struct Stop {};
    EXPECT_THROW(clock.tickDelay(10'000,
                                 [&] {
                                     if (++calls == 2) throw Stop{};
                                 }),
                 Stop);
    EXPECT_EQ(calls, 2);
}

TEST(MonoClock, SleepUntilAPassedInstantReturnsAtOnce) {
    MonoClock clock;
    const std::int64_t before = clock.nowMicros();
    clock.sleepUntilMicros(before - 5'000);
    clock.sleepUntilMicros(before + 2'000);
    EXPECT_GE(clock.nowMicros(), before + 2'000);
}

TEST(WindowTrace, TimesAreFractionalMillisecondsOnlyWhenMicrosecondsAreGiven) {
    testing::TestGame t;
    t.start();
    struct Case {
        std::int64_t startUs, endUs;
        const char* expected;
    };
    for (const Case c : {Case{-1, -1, "\"start\":12,\"end\":47,"},
                         {12'345, 47'005, "\"start\":12.345,\"end\":47.005,"},
                         {7, 1'000'000, "\"start\":0.007,\"end\":1000.000,"}}) {
        const TickRecord rec{1, 12, 47, 0, {}, false, c.startUs, c.endUs};
        EXPECT_NE(traceLine(rec, t.game).find(c.expected), std::string::npos) << c.expected;
    }
}

} // namespace
} // namespace kelvar
