#pragma once
#include "core/state/game.hpp"

namespace kelvar {

// Puts a fresh level on the board for the level number in iLevel.
void PrepNewLevel(Game& g);
// Clears the level's sideways steps: every enemy falls straight down.
void SetVertOnly(Game& g);

} // namespace kelvar
