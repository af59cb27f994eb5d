#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "core/state/game.hpp"
#include "platform/clock.hpp"

namespace kelvar {

struct TickRecord {
    int tick;
    Millis start, end;
    int pumps;
    std::vector<int> sounds;
    bool gameOver; // this tick ran the game-over sequence
    // The window's finer times; when set, `start` and `end` are written as fractional
    // milliseconds from them. The headless runner keeps whole virtual milliseconds.
    std::int64_t startMicros = -1, endMicros = -1;
    // The window's due time of the tick (whole milliseconds), for measuring its pacing.
    std::int64_t due = -1;
    // How long after its due instant each wait inside the tick ended, in microseconds (window).
    std::vector<std::int64_t> waitLateMicros{};
};

// One JSON object (no line end) with the tick's record and the game's state as it returned.
std::string traceLine(const TickRecord& r, const Game& g);

// The shortest decimal that reads back to the same float.
std::string shortestFloat(float v);

} // namespace kelvar
