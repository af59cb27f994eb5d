#include "session/tick_timer.hpp"

#include <algorithm>

namespace kelvar {

std::optional<Millis> tickDueAt(const Timer& t) {
    if (t.Interval == 0) return std::nullopt;
    return t.armedAt + static_cast<Millis>(t.Interval);
}

Millis armFrom(Millis due, Millis start, Millis previousEnd, std::int16_t interval) {
    const bool heldUp = previousEnd >= due;
    // Half an interval late: keeping the phase would bring the next tick close on its heels.
    const bool farBehind = start >= due + static_cast<Millis>(std::max<int>(interval, 0) / 2);
    return heldUp || farBehind || start < due ? start : due;
}

} // namespace kelvar
