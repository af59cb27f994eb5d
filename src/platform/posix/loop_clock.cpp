#include "platform/loop_clock.hpp"

#include <sys/prctl.h>
#include <time.h>

#include <cerrno>

namespace kelvar {

std::int64_t monotonicMicros() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<std::int64_t>(ts.tv_sec) * 1'000'000 + ts.tv_nsec / 1000;
}

void sleepUntilMonotonicMicros(std::int64_t micros) {
    const timespec at{static_cast<time_t>(micros / 1'000'000),
                      static_cast<long>(micros % 1'000'000) * 1000};
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &at, nullptr) == EINTR) {
    }
}

void tightenTimerSlack() {
    // The kernel's default slack of 50 us would be added to every wait and every tick start.
    prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
}

} // namespace kelvar
