#pragma once
// The play field's timer, driven by a clock: when the next tick is due and how a tick re-arms.
// Late ticks are not made up for: the game runs slower.
#include <optional>

#include "core/state/game.hpp"

namespace kelvar {

// When the timer next fires; none while it is stopped (interval 0).
std::optional<Millis> tickDueAt(const Timer& t);

// Where the timer re-arms from for a tick that was due at `due` and started at `start`, the
// previous tick having ended at `previousEnd`. A tick that was only late to wake keeps the
// period's phase (arming from its start would push every later tick back by that lateness); a
// tick held up by the previous one's waits, or late by half an interval or more, starts a new
// phase, so it is followed by one tick a whole interval later, never a burst.
Millis armFrom(Millis due, Millis start, Millis previousEnd, std::int16_t interval);

} // namespace kelvar
