#include "platform/sdl/event_wait.hpp"

namespace kelvar {

void waitForEventsUntil(const MonoClock& clock, std::int64_t deadlineMicros,
                        const std::function<void(const SDL_Event&)>& take) {
    SDL_Event e;
    for (;;) {
        const int ms = eventWaitMillis(clock.nowMicros(), deadlineMicros);
        if (ms <= 0) break;
        if (SDL_WaitEventTimeout(&e, ms)) take(e);
    }
    while (SDL_PollEvent(&e)) take(e);
    clock.sleepUntilMicros(deadlineMicros);
}

} // namespace kelvar
