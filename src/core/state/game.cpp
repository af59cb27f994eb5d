#include "core/state/game.hpp"

namespace kelvar {

void setTimerInterval(Game& g, std::int16_t ms) {
    Timer& t = g.el.Timer1;
    t.Interval = ms;
    t.armedAt = g.svc.clock.now();
    t.setDuringTick = true;
}

void parkMissile(Game& g) {
    g.el.PMissl.Top = kMissileParked;
    g.el.PMissl.Visible = false;
    g.st.Rocket = false;
}

} // namespace kelvar
