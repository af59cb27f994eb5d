#pragma once
#include "core/state/game.hpp"

namespace kelvar {

// What struck: the planet, the ship, or a bomb (11..14 for Bomb1..Bomb4) hitting the ship.
namespace loss {
inline constexpr int Planet = 1;
inline constexpr int Rammed = 2;
inline constexpr int Bomb1 = 11;
} // namespace loss

void enemyStep(Game& g);
void bombStep(Game& g);
// Every blow that the enemies land: the animation, the loss, the game-over test.
void ELands(Game& g, Sprite& eObj, int lossType);
// The formation blast: every enemy explodes and goes back up with the bombs.
void AllEnemiesDead(Game& g);

} // namespace kelvar
