#pragma once
// The play field's own procedures: set-up, options, the tick, the ship and its missile, the
// starfield.
#include <string>

#include "core/base/keys.hpp"
#include "core/state/game.hpp"

namespace kelvar {

// --- set-up and options ---
void Form_Load(Game& g);
// Creates the play field window's elements afresh and runs its set-up.
void createPlayField(Game& g);
void LoadConfig(Game& g);
void SetDefaults(Game& g);
// The numeric value of `Verticl` is 1: windows go to the top of the screen.
bool verticlIsOne(const std::string& verticl);
// The bytes of the options file for a speed code and the check box's value.
std::string optionsFileBytes(const std::string& speedCode, int centerOrNot);
inline constexpr const char* kOptionsFileName = "OPTION.CFG";

// --- the tick ---
void Timer1_Timer(Game& g);
// The tick's two halves, for looking ahead on a copy of the game: first everything moves and
// the enemies land their blows, then the missile hits. A met quota's level change follows.
void tickMotion(Game& g);
void tickHits(Game& g);
void gameOverSequence(Game& g);
void parkPointer(Game& g);

// --- the ship and its missile ---
void Form_KeyDown(Game& g, int keyCode);
void launchMissile(Game& g);
void joystickDirection(Game& g);
void joystickFire(Game& g);
// Motion: the step the ship takes in the next tick.
inline constexpr std::int16_t kMotionNone = 0, kMotionLeft = 1, kMotionRight = 2;
// Where a step takes the ship from `left`; off one side it comes back on the other.
float shipLeftAfterStep(float left, std::int16_t motion);
void shipStep(Game& g);
// How far the ship climbs in a tick from `top` in level `level`.
float shipRiseAt(float top, int level);
void shipRise(Game& g);
// The missile starts this far above the ship's top.
inline constexpr float kMissileStartAbove = 150;
// One tick of the missile's climb; false when that took it off the field.
bool missileClimb(float& top);
void missileFlight(Game& g);

// --- backdrop ---
void starfieldAndPlanet(Game& g);
// A star's colour for one draw: palette colour 1 to 15 from the next random number.
int twinkleColour(Random& rng);

} // namespace kelvar
