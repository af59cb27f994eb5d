#include "platform/windows/windows_clock.hpp"

#include <windows.h>
// windows.h first: timeapi.h needs its types.
#include <timeapi.h>

#include <algorithm>

#include "platform/tick_delay.hpp"

#ifndef CREATE_WAITABLE_TIMER_HIGH_RESOLUTION
#define CREATE_WAITABLE_TIMER_HIGH_RESOLUTION 0x00000002
#endif

namespace kelvar {

namespace {

std::int64_t counter() {
    LARGE_INTEGER c{};
    QueryPerformanceCounter(&c);
    return c.QuadPart;
}

// The system's timer period at 1 ms for as long as this lives.
class OneMillisecondPeriod {
  public:
    OneMillisecondPeriod() : raised_(timeBeginPeriod(1) == TIMERR_NOERROR) {}
    ~OneMillisecondPeriod() {
        if (raised_) timeEndPeriod(1);
    }
    OneMillisecondPeriod(const OneMillisecondPeriod&) = delete;
    OneMillisecondPeriod& operator=(const OneMillisecondPeriod&) = delete;

  private:
    bool raised_;
};

} // namespace

WindowsClock::WindowsClock() : WindowsClock(Timer::HighResolution) {}

WindowsClock::WindowsClock(Timer wanted) {
    LARGE_INTEGER f{};
    QueryPerformanceFrequency(&f); // never fails on Windows XP and later
    frequency_ = f.QuadPart;
    origin_ = counter();
    // Windows 10 1803 and later; older systems refuse the flag and get the fallback.
    if (wanted == Timer::HighResolution)
        timerHandle_ = CreateWaitableTimerExW(
            nullptr, nullptr, CREATE_WAITABLE_TIMER_HIGH_RESOLUTION, TIMER_ALL_ACCESS);
}

WindowsClock::~WindowsClock() {
    if (timerHandle_) CloseHandle(timerHandle_);
}

std::int64_t WindowsClock::nowMicros() const {
    // In two parts, so that the product cannot overflow however long the program runs.
    const std::int64_t counts = counter() - origin_;
    return counts / frequency_ * 1'000'000 + counts % frequency_ * 1'000'000 / frequency_;
}

void WindowsClock::sleepUntilMicros(std::int64_t micros) const {
    std::int64_t left = micros - nowMicros();
    if (left <= 0) return;
    if (timerHandle_) {
        for (; left > 0; left = micros - nowMicros()) {
            LARGE_INTEGER due{};
            due.QuadPart = -left * 10; // relative, in 100 ns
            if (!SetWaitableTimer(timerHandle_, &due, 0, nullptr, nullptr, FALSE)) break;
            WaitForSingleObject(timerHandle_, INFINITE);
        }
        if (left <= 0) return;
    }
    const OneMillisecondPeriod period;
    for (; left > 0; left = micros - nowMicros())
        Sleep(static_cast<DWORD>(std::max<std::int64_t>(left / 1000, 1)));
}

void WindowsClock::tickDelay(std::int32_t ms) {
    sleepUntilMicros(tickDelayDeadlineMicros(now(), ms));
}

} // namespace kelvar
