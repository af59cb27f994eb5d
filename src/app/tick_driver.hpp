#pragma once
// The play field's timer, driven by a clock: when the next tick is due and how a tick re-arms.
#include <optional>

#include "playfield/game.hpp"

namespace kelvar {

// When the timer next fires; none while it is stopped (interval 0).
std::optional<Millis> tickDueAt(const Timer& t);

// Runs one tick that started at `start`. The timer re-arms from that start, unless the tick set
// the interval itself (which armed it then). Late ticks are not made up for: the game runs
// slower, never in bursts.
void runTick(Game& g, Millis start);

} // namespace kelvar
