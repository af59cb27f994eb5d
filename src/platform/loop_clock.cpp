#include "platform/loop_clock.hpp"

namespace kelvar {

int eventWaitMillis(std::int64_t nowMicros, std::int64_t dueMicros) {
    // The event wait counts whole milliseconds and its wake-up may come late on a busy machine
    // (2 ms was too little in the window replay); the rest is slept to the microsecond.
    constexpr std::int64_t kMargin = 4000;
    const std::int64_t left = dueMicros - nowMicros;
    if (left <= kMargin) return 0;
    return static_cast<int>((left - kMargin) / 1000);
}

} // namespace kelvar
