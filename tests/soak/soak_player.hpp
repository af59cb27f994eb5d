#pragma once
// One soak game from a seed, every tick checked. The keys go into the game's demo as they are
// pressed, so a failing game can be written out and replayed.
#include <random>
#include <string>

#include "headless/autopilot.hpp"

namespace kelvar {

// What the previous ticks of the same game left, for the checks that span ticks.
struct GameWatch {
    bool started = false;
    int level = 0;
    std::int16_t enmyLeft = 0;
    std::int32_t score = 0;
};

// What must hold after every tick of any game, however long, whatever is pressed: the first
// broken rule, or an empty string. `speed` is the game's speed code.
std::string checkAfterTick(const Game& g, const std::string& speed, GameWatch& watch);

// Pilot: the autopilot with now and then a pause or a stray key. Random:
// keys and readings at random. Check: only the keys already in the demo (a replay).
enum class SoakMode { Pilot, Random, Check };

struct SoakGame {
    Demo demo;
    SoakMode mode = SoakMode::Random;
    std::uint64_t inputSeed = 0;
};

// A game's set-up drawn from `rng`: speed, seed, joystick and the seed of its input.
SoakGame drawGame(std::mt19937_64& rng, SoakMode mode, int maxTicks);

struct SoakResult {
    RunSummary summary;
    int highestLevel = 0;
    std::string failure; // empty if every tick held
    int failedTick = 0;
    Demo failedGame; // when a rule broke: the game as played, up to that tick
};

SoakResult playSoakGame(const SoakGame& game);

// The demo of the game being played, for a crash handler to write out; nullptr between games.
const Demo* demoInPlay();

} // namespace kelvar
