#pragma once
#include "core/state/game.hpp"

namespace kelvar {

// Puts a fresh level on the board for the level number in iLevel.
void PrepNewLevel(Game& g);
// The first four enemies show the level's picture iERes1, the others iERes2.
inline constexpr std::size_t kFirstPictureEnemies = 4;
// All ten enemies show their level's picture again.
void RestoreEnmyImages(Game& g);
// Clears the level's sideways steps: every enemy falls straight down.
void SetVertOnly(Game& g);

} // namespace kelvar
