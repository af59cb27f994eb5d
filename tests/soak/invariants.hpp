#pragma once
// What must hold after every tick of any game, however long, whatever is pressed.
#include <cstdint>
#include <string>

namespace kelvar {

struct Game;

// What the previous ticks of the same game left, for the checks that span ticks.
struct GameWatch {
    bool started = false;
    int level = 0;
    std::int16_t enmyLeft = 0;
    std::int32_t score = 0;
};

// The first broken rule after a tick, or an empty string. `speed` is the game's speed code.
std::string checkAfterTick(const Game& g, const std::string& speed, GameWatch& watch);

} // namespace kelvar
