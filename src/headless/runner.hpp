#pragma once
// The program without a display: one session on the virtual services and virtual screens, its
// clock advanced to each tick's due time. It plays a demo, or the whole program as a player would
// go through it, for tests and tools.
#include <memory>
#include <optional>
#include <ostream>
#include <string>

#include "headless/virtual_screens.hpp"
#include "platform/virtual/virtual_services.hpp"
#include "session/session.hpp"

namespace kelvar {

class HeadlessProgram {
  public:
    // With a demo, it replays it. `hooks.takeSounds` is the virtual sound's own.
    HeadlessProgram(std::optional<Demo> demo, std::ostream* trace = nullptr,
                    std::uint64_t seed = Random::kStart, Session::Hooks hooks = {});
    ~HeadlessProgram();
    HeadlessProgram(const HeadlessProgram&) = delete;
    HeadlessProgram& operator=(const HeadlessProgram&) = delete;

    // Plays the next tick when one is due, the clock brought to its due time first (a tick that
    // is late starts at once). False when none is due: no play field shown, or its timer stopped.
    bool tick();
    // Whether the last tick() was the game-over sequence's.
    bool lastWasGameOver() const { return lastGameOver_; }

    Session& session() { return *session_; }
    const Session& session() const { return *session_; }
    VirtualScreens screens;
    VirtualClock clock;
    VirtualSound sound{clock};
    ScriptedJoystick joystick;
    VirtualPointer pointer;
    VirtualKeyRepeat keyRepeat;
    MemoryOptionsFile options;

  private:
    std::unique_ptr<Session> session_;
    bool lastGameOver_ = false;
};

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

// One demo played headless a tick at a time: set up as the title screen and "BEGIN" do it when
// made, each step() one tick.
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
    int playTicks() const { return playTicks_; }
    const Game& game() const { return program_->session().game(); }

  private:
    std::unique_ptr<HeadlessProgram> program_;
    int ticks_ = 0;
    int playTicks_ = 0;
};

// Plays a demo headless. Writes one trace line per tick to `trace` when it is given.
RunSummary runDemo(Demo demo, std::ostream* trace = nullptr, TickObserver* observer = nullptr);

std::string summaryJson(const RunSummary& s);

} // namespace kelvar
