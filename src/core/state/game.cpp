#include "core/state/game.hpp"

namespace kelvar {

void setTimerInterval(Game& g, std::int16_t ms) {
    Timer& t = g.el.Timer1;
    t.Interval = ms;
    t.armedAt = g.svc.clock.now();
    t.setDuringTick = true;
}

} // namespace kelvar
