#pragma once
// The window program's clock: milliseconds for the game, microseconds for the loop's own
// deadlines and the trace, both from one monotonic origin so a due millisecond is an exact
// microsecond instant. Waits sleep until their deadline instead of polling. The readings are
// 64-bit from the program's start, so no wait ever meets a wrap of the counter.
#include <cstdint>

#include "platform/clock.hpp"
#include "platform/tick_delay.hpp"

namespace kelvar {

// The machine's monotonic clock, in microseconds: the one clock of the window program, its
// sound device and its trace (CLOCK_MONOTONIC; on Windows the performance counter).
std::int64_t monotonicMicros();
// Sleeps until `micros` on the monotonic clock; a signal does not end the sleep early.
void sleepUntilMonotonicMicros(std::int64_t micros);
// Asks the system to end this thread's sleeps on their instant, not a little after.
void tightenTimerSlack();

class MonoClock final : public Clock {
  public:
    MonoClock() : originMicros_(monotonicMicros()) {}
    Millis now() override { return static_cast<Millis>(nowMicros() / 1000); }
    std::int64_t nowMicros() const { return monotonicMicros() - originMicros_; }
    // An instant of CLOCK_MONOTONIC, in microseconds, on this clock.
    std::int64_t fromMonotonicMicros(std::int64_t us) const { return us - originMicros_; }
    // Returns at the first instant the millisecond reading is more than `ms` past the one at
    // the call.
    void tickDelay(std::int32_t ms) override {
        sleepUntilMicros(tickDelayDeadlineMicros(now(), ms));
    }
    // Sleeps until `micros` on this clock (returns at once when it has passed).
    void sleepUntilMicros(std::int64_t micros) const {
        sleepUntilMonotonicMicros(originMicros_ + micros);
    }

  private:
    std::int64_t originMicros_;
};

// How long to wait for window events before a deadline: the event wait only counts whole
// milliseconds and may oversleep, so it stops a little early and the rest is slept exactly.
// 0 means: poll, then sleep to the deadline.
int eventWaitMillis(std::int64_t nowMicros, std::int64_t dueMicros);

} // namespace kelvar
