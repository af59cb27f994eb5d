#pragma once
// One soak game: the autopilot or random keys and joystick readings, from a seed, with every
// tick checked. The keys go into the game's demo as they are pressed, so a failing game can be
// written out and replayed.
#include <cstdint>
#include <optional>
#include <random>
#include <string>

#include "app/headless/autopilot.hpp"
#include "app/headless/runner.hpp"
#include "tests/soak/invariants.hpp"

namespace kelvar {

enum class SoakMode {
    Pilot,  // the autopilot plays; now and then a pause, a stray key or a joystick twitch
    Random, // keys and joystick readings at random
    Check,  // only the keys already in the demo (a replay)
};

struct SoakGame {
    Demo demo;
    SoakMode mode = SoakMode::Random;
    std::uint64_t inputSeed = 0;
};

// A game's set-up drawn from `rng`: speed, seed, joystick, mode and the seed of its input.
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
