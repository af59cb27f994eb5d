#pragma once
// The play field's own procedures: set-up, options, the tick, the ship and its missile, the
// starfield.
#include <string>

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
void gameOverSequence(Game& g);
void parkPointer(Game& g);

// --- the ship and its missile ---
void Form_KeyDown(Game& g, int keyCode);
void launchMissile(Game& g);
void joystickDirection(Game& g);
void joystickFire(Game& g);
void shipStep(Game& g);
void shipRise(Game& g);
void missileFlight(Game& g);

namespace key {
inline constexpr int Pause = 19;
inline constexpr int Escape = 27;
inline constexpr int Space = 32;
inline constexpr int Left = 37;
inline constexpr int Right = 39;
} // namespace key

// --- backdrop ---
void starfieldAndPlanet(Game& g);
// A star's colour for one draw: palette colour 1 to 15 from the next random number.
int twinkleColour(Random& rng);

} // namespace kelvar
