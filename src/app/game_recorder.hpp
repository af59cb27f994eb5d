#pragma once
// Records a game played in the window as a demo file: the random sequence's start, the speed,
// the joystick, and every key at its tick and event point, so that it replays exactly.
#include <string>

#include "platform/joystick_device.hpp"
#include "session/demo.hpp"

namespace kelvar {

class GameRecorder {
  public:
    // A new game is being set up with the random sequence at `seed`.
    void gameSetUp(std::uint32_t seed);
    // The joystick as the game's set-up found it.
    void joystickAtSetUp(bool present, JoyReading centre);
    // "BEGIN": the game runs at the tick interval of this speed code.
    void gameStarted(std::int16_t intervalMs);
    bool recording() const { return recording_; }

    // A key handed to the game before tick `tick` (point 0) or at its `point`-th event point.
    void key(int tick, int point, int code);
    // What the joystick read in tick `tick`.
    void joystickRead(int tick, JoyReading r);
    // The game ended after tick `lastTick`; the demo is complete.
    Demo finish(int lastTick);

  private:
    Demo demo_;
    bool recording_ = false;
    JoyReading last_;
};

// The speed code of a tick interval ("U" for 35 ms and anything unknown).
std::string speedCodeOf(std::int16_t intervalMs);

} // namespace kelvar
