#pragma once
// The program's clock on Windows: milliseconds for the game and microseconds for the loop, from
// the performance counter (monotonic). Waits sleep until their deadline, to the millisecond:
// on a high-resolution waitable timer where the system has one, otherwise in Sleep with the
// system's timer period raised to 1 ms only for as long as the wait lasts.
#include <cstdint>

#include "platform/clock.hpp"

namespace kelvar {

class WindowsClock final : public Clock {
  public:
    enum class Timer { HighResolution, OneMillisecondPeriod };

    WindowsClock(); // the best timer the system has
    explicit WindowsClock(Timer wanted);
    ~WindowsClock() override;
    WindowsClock(const WindowsClock&) = delete;
    WindowsClock& operator=(const WindowsClock&) = delete;

    Millis now() override { return static_cast<Millis>(nowMicros() / 1000); }
    std::int64_t nowMicros() const;
    // Returns at the first instant the millisecond reading is more than `ms` past the one at
    // the call.
    void tickDelay(std::int32_t ms) override;
    // Sleeps until `micros` on this clock (returns at once when it has passed); never earlier.
    void sleepUntilMicros(std::int64_t micros) const;
    Timer timer() const {
        return timerHandle_ ? Timer::HighResolution : Timer::OneMillisecondPeriod;
    }

  private:
    std::int64_t frequency_; // counts per second
    std::int64_t origin_;    // the count at construction
    void* timerHandle_ = nullptr;
};

} // namespace kelvar
