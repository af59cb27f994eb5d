#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>

#include "platform/windows/windows_clock.hpp"

namespace kelvar {
namespace {

using Timer = WindowsClock::Timer;

class WindowsClockTimers : public ::testing::TestWithParam<Timer> {};

// A wait ends once the millisecond reading is past it, and a sleep never ends before its
// instant, on either timer.
TEST_P(WindowsClockTimers, WaitsNeverEndEarly) {
    WindowsClock clock(GetParam());
    if (GetParam() == Timer::OneMillisecondPeriod) {
        EXPECT_EQ(clock.timer(), GetParam());
    }
    for (std::int32_t ms : {0, 7, -3, 1}) {
        const Millis start = clock.now();
        clock.tickDelay(ms);
        EXPECT_GT(clock.now(), start + Millis(std::max(ms, 0))) << ms;
    }
    for (std::int64_t ahead : {-5000, 0, 300, 2500, 16000}) {
        const std::int64_t at = clock.nowMicros() + ahead;
        clock.sleepUntilMicros(at);
        EXPECT_GE(clock.nowMicros(), at) << ahead;
    }
}

INSTANTIATE_TEST_SUITE_P(Timers, WindowsClockTimers,
                         ::testing::Values(Timer::HighResolution, Timer::OneMillisecondPeriod),
                         [](const auto& info) {
                             return info.param == Timer::HighResolution ? "high_resolution"
                                                                        : "one_ms_period";
                         });

// Microseconds of real time: read around a sleep, the clock's lapse lies between the system
// clock's lapse inside it and the one around it. It never goes backwards, and the millisecond
// reading is the microsecond one cut down.
TEST(WindowsClock, CountsRealMicrosecondsAndNeverGoesBack) {
    using Steady = std::chrono::steady_clock;
    const auto micros = [](Steady::duration d) {
        return std::chrono::duration_cast<std::chrono::microseconds>(d).count();
    };
    WindowsClock clock;
    const std::int64_t c0 = clock.nowMicros();
    const Steady::time_point s0 = Steady::now();
    Sleep(30);
    const Steady::time_point s1 = Steady::now();
    const std::int64_t c1 = clock.nowMicros();
    EXPECT_GE(c1 - c0 + 1, micros(s1 - s0));

    const Steady::time_point t0 = Steady::now();
    const std::int64_t d0 = clock.nowMicros();
    Sleep(30);
    const std::int64_t d1 = clock.nowMicros();
    const Steady::time_point t1 = Steady::now();
    EXPECT_LE(d1 - d0, micros(t1 - t0) + 1);

    std::int64_t last = clock.nowMicros();
    for (int i = 0; i < 100'000; ++i) {
        const std::int64_t us = clock.nowMicros();
        const Millis ms = clock.now();
        ASSERT_GE(us, last);
        ASSERT_GE(ms, Millis(us / 1000));
        last = us;
    }
}

} // namespace
} // namespace kelvar
