#include "platform/loop_clock.hpp"

#include "platform/windows/windows_clock.hpp"

namespace kelvar {

std::int64_t monotonicMicros() {
    // The performance counter from the first reading on; this one only reads, so it needs no
    // timer of its own.
    static const WindowsClock clock(WindowsClock::Timer::OneMillisecondPeriod);
    return clock.nowMicros();
}

void sleepUntilMonotonicMicros(std::int64_t micros) {
    // A timer each thread: one waitable timer cannot serve the loop and the sound device at once.
    thread_local const WindowsClock sleeper;
    // The sleeper's reading is taken after the monotonic one, so the wake is never early.
    const std::int64_t now = monotonicMicros();
    sleeper.sleepUntilMicros(sleeper.nowMicros() + (micros - now));
}

// Windows has no timer slack: the sleeps above are as exact as its timers are.
void tightenTimerSlack() {}

} // namespace kelvar
