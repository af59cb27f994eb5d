#include "screens/shown_frame.hpp"

namespace kelvar {

bool looksTheSame(const Elements& a, const Elements& b) {
    // The timer re-arms every tick; comparing it would make every tick look like a change.
    if (a.Timer1 == b.Timer1) return a == b;
    Elements untimed = a;
    untimed.Timer1 = b.Timer1;
    return untimed == b;
}

bool ShownFrame::needsDrawing(const Elements& now) const {
    return stale_ || !looksTheSame(now, shown_);
}

void ShownFrame::presented(const Elements& now) {
    shown_ = now;
    stale_ = false;
}

} // namespace kelvar
