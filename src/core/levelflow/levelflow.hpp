#pragma once
#include "core/state/game.hpp"

namespace kelvar {

// The missile against the ten enemies.
void missileHits(Game& g);
// The POWbomb: its appearance at half the quota, its flight, the missile hitting it.
void powerEmergence(Game& g);
void powerFlight(Game& g);
void powerHit(Game& g);
// The last step of a tick: a met quota changes the level.
void levelEnd(Game& g);

} // namespace kelvar
