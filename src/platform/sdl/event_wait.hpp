#pragma once
// Waiting without polling: the thread sleeps in the window system's event wait until its
// deadline and wakes early only when an event arrives, so a close or a quit is seen at once
// and an idle wait costs nothing. (Signals come as quit events too: see signal_watch.hpp.)
#include <SDL.h>

#include <cstdint>
#include <functional>

#include "platform/loop_clock.hpp"

namespace kelvar {

// Sleeps until `deadlineMicros` on `clock`, handing each event that arrives meanwhile to
// `take`, which may throw to end the wait. The last stretch is slept to the microsecond.
void waitForEventsUntil(const MonoClock& clock, std::int64_t deadlineMicros,
                        const std::function<void(const SDL_Event&)>& take);

} // namespace kelvar
