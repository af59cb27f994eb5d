#include "app/tick_driver.hpp"

#include "playfield/playfield.hpp"

namespace kelvar {

std::optional<Millis> tickDueAt(const Timer& t) {
    if (t.Interval == 0) return std::nullopt;
    return t.armedAt + static_cast<Millis>(t.Interval);
}

void runTick(Game& g, Millis start) {
    Timer& t = g.el.Timer1;
    t.setDuringTick = false;
    Timer1_Timer(g);
    if (!t.setDuringTick) t.armedAt = start;
}

} // namespace kelvar
