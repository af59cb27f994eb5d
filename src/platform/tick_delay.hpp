#pragma once
#include <algorithm>
#include <cstdint>

#include "platform/clock.hpp"

namespace kelvar {

// The instant a `TickDelay(ms)` called at millisecond reading `start` is over: the first one at
// which the reading is more than `ms` past `start`. Work done after the call (drawing the
// frame) comes out of the wait, not on top of it.
constexpr std::int64_t tickDelayDeadlineMicros(Millis start, std::int32_t ms) {
    const std::int64_t wanted = std::max<std::int32_t>(ms, 0);
    return (static_cast<std::int64_t>(start) + wanted + 1) * 1000;
}

} // namespace kelvar
