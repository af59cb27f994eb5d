#pragma once
// A small player for the headless runner. After every tick it looks at the play field as the
// tick left it and presses keys for the next tick, at event point 0: Left or Right to line the
// ship up under a target (or out of the way of bombs and rams), Space when a missile launched
// now will hit. It only presses keys, so what it pressed replays exactly as a demo.
#include <ostream>
#include <vector>

#include "headless/runner.hpp"
#include "session/demo.hpp"

namespace kelvar {

struct Game;

class Autopilot final : public TickObserver {
  public:
    enum class Move { Stay, Left, Right };
    struct Decision {
        Move move = Move::Stay;
        bool fire = false;
    };

    // What to press before the next tick, from the game as a tick left it.
    static Decision decide(const Game& g);

    void afterTick(int tick, const Game& g, Demo& demo) override;

    // Every key pressed so far, in the order pressed.
    const std::vector<DemoKey>& pressed() const { return pressed_; }

  private:
    std::vector<DemoKey> pressed_;
};

// Plays up to `ticks` (>= 1) ticks with the autopilot on a game set up from `demo` (its speed, seed
// and joystick line; any keys in it are dropped). On return `demo` is the recording: the keys
// pressed and an end line at the last tick played, so that runDemo(demo) plays the same game.
RunSummary runAutopilot(Demo& demo, long ticks, std::ostream* trace = nullptr);

} // namespace kelvar
