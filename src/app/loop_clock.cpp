#include "app/loop_clock.hpp"

#include <time.h>

#include <cerrno>

namespace kelvar {

namespace {
std::int64_t monotonicNanos() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<std::int64_t>(ts.tv_sec) * 1'000'000'000 + ts.tv_nsec;
}
} // namespace

MonoClock::MonoClock() : originNanos_(monotonicNanos()) {}

std::int64_t MonoClock::nowMicros() const {
    return (monotonicNanos() - originNanos_) / 1000;
}

void MonoClock::sleepUntilMicros(std::int64_t micros) const {
    const std::int64_t at = originNanos_ + micros * 1000;
    timespec ts{static_cast<time_t>(at / 1'000'000'000), static_cast<long>(at % 1'000'000'000)};
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &ts, nullptr) == EINTR) {
    }
}

void MonoClock::tickDelay(std::int32_t ms) {
    sleepUntilMicros(tickDelayDeadlineMicros(now(), ms));
}

int eventWaitMillis(std::int64_t nowMicros, std::int64_t dueMicros) {
    // The event wait counts whole milliseconds and its wake-up may come late on a busy machine
    // (2 ms was too little in the window replay); the rest is slept to the microsecond.
    constexpr std::int64_t kMargin = 4000;
    const std::int64_t left = dueMicros - nowMicros;
    if (left <= kMargin) return 0;
    return static_cast<int>((left - kMargin) / 1000);
}

} // namespace kelvar
