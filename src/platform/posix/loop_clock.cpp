#include "platform/posix/loop_clock.hpp"

#include <sys/prctl.h>
#include <time.h>

#include <cerrno>

namespace kelvar {

std::int64_t monotonicMicros() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<std::int64_t>(ts.tv_sec) * 1'000'000 + ts.tv_nsec / 1000;
}

void sleepsEndOnTheirInstant() {
    prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
}

void sleepUntilMonotonicMicros(std::int64_t micros) {
    const timespec at{static_cast<time_t>(micros / 1'000'000),
                      static_cast<long>(micros % 1'000'000) * 1000};
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &at, nullptr) == EINTR) {
    }
}

MonoClock::MonoClock() : originMicros_(monotonicMicros()) {}

std::int64_t MonoClock::nowMicros() const {
    return monotonicMicros() - originMicros_;
}

void MonoClock::sleepUntilMicros(std::int64_t micros) const {
    sleepUntilMonotonicMicros(originMicros_ + micros);
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
