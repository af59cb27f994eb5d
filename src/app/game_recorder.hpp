#pragma once
// Records a game played in the window as a demo file: the random sequence's start, the speed,
// the joystick, and every key at its tick and event point, so that it replays exactly.
#include <string>
#include <utility>
#include <vector>

#include "platform/demo_output.hpp"
#include "platform/joystick_device.hpp"
#include "session/demo.hpp"

namespace kelvar {

class GameRecorder {
  public:
    // Writes each game to `out` as it goes (none: only finish() has it).
    void writeTo(DemoOutput* out) { out_ = out; }

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
    // Tick `tick` has run: its keys and joystick readings are written. A tick cut off by a quit
    // or a crash is no tick of the recording.
    void tickEnded(int tick);
    // The game ended after tick `lastTick`; the demo is complete.
    Demo finish(int lastTick);

  private:
    // A line of tick `tick`, written once that tick has run: keys pressed after the game's last
    // tick never reached it.
    void write(int tick, std::string line);
    void writeHeldUpTo(int tick);

    Demo demo_;
    bool recording_ = false;
    JoyReading last_;
    DemoOutput* out_ = nullptr;
    std::vector<std::pair<int, std::string>> held_; // lines of ticks that have not run yet
};

} // namespace kelvar
