#pragma once
#include <memory>
#include <ostream>
#include <string>

#include "app/headless/demo.hpp"
#include "platform/clock.hpp"

namespace kelvar {

struct Game;

struct RunSummary {
    int ticks = 0;
    Millis ms = 0;
    std::string ended; // "end", "game_over" or "stalled"
    int iLevel = 0, iScore = 0, iTopScore = 0, iLossVar = 0;
};

// Called after every tick with the game as the tick left it; may press keys for later ticks
// by appending them to the demo (the autopilot does).
class TickObserver {
  public:
    virtual ~TickObserver() = default;
    virtual void afterTick(int tick, const Game& g, Demo& demo) = 0;
};

// One demo played on the virtual services a tick at a time, with no window and no sound device:
// set up as the title screen and "BEGIN" do it when made, each step() one tick.
class DemoRun {
  public:
    explicit DemoRun(Demo demo, std::ostream* trace = nullptr, TickObserver* observer = nullptr);
    ~DemoRun();
    DemoRun(const DemoRun&) = delete;
    DemoRun& operator=(const DemoRun&) = delete;

    // Plays the next tick; false when the run has ended instead (summary().ended says why).
    bool step();
    RunSummary summary() const;
    // Ticks of a game in play: every tick played but the game-over sequence.
    int playTicks() const;
    const Game& game() const;

  private:
    struct Parts;
    std::unique_ptr<Parts> p_;
};

// Plays a demo on the virtual services, with no window and no sound device. Writes one trace
// line per tick to `trace` when it is given.
RunSummary runDemo(Demo demo, std::ostream* trace = nullptr, TickObserver* observer = nullptr);

std::string summaryJson(const RunSummary& s);

} // namespace kelvar
