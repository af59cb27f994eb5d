#pragma once
// One session of the rules: the program's flow through its screens, the play field's ticks on the
// clock it is given, the event points inside a tick with their guard against nested key
// handlers, the keys that reach the game, and a demo's replay. The window program runs it on real
// time, SDL's events and its windows; the headless runner on virtual time, a demo's keys and no
// windows.
#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "session/demo.hpp"
#include "session/program_flow.hpp"
#include "session/trace.hpp"

namespace kelvar {

// What a session runs on besides its screens; its event pump is the session itself.
struct Machine {
    Clock& clock;
    Pointer& pointer;
    KeyRepeat& keyRepeat;
    JoystickDevice& joystick;
    SoundPlayer& sound;
    OptionsFile& options;
};

class Session final : public EventPump {
  public:
    struct Hooks {
        // The program's own input at an event point inside a tick (the window's events and its
        // held key); a headless run has none.
        std::function<void()> takeEvents;
        // The sounds that started since the last call, in order, for the trace.
        std::function<std::vector<int>()> takeSounds;
        // A key reached the game before tick `tick` (point 0) or at its `point`-th event point.
        std::function<void(int tick, int point, int code)> keyDelivered;
        // A tick starts (true) or has returned (false).
        std::function<void(bool running)> tickRunning;
        // The tick's record before it is traced: the window adds its finer times.
        std::function<void(TickRecord&)> timeTick;
        // After every tick but the game-over one, with the game as the tick left it.
        std::function<void(int tick, const Game&)> afterTick;
        ProgramFlow::Hooks flow;
    };

    // With a demo, the game replays it instead of taking the player's keys: its options, its
    // joystick and its keys at their ticks and event points. `trace`, when given, gets one line
    // per tick.
    Session(Machine machine, Screens& screens, std::uint64_t seed, std::optional<Demo> demo,
            Hooks hooks, std::ostream* trace = nullptr);
    ~Session() override;
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // The program starts: the title screen, or a replay's game at once.
    void start();

    // When the next tick is due; none while no game ticks (no play field shown, or its timer
    // stopped).
    std::optional<Millis> tickDue() const;
    // A replay between its ticks: the next tick's keys before it (point 0), and, while the game
    // is paused, the next keys one by one; the replay ends at its end line, or paused with no key
    // left. Once per tick; the window calls it as soon as a tick returns, the headless runner
    // just before the next. Nothing without a demo.
    void prepareNextTick();
    // Runs the tick that was due at `due` and started at `start`, re-arming the timer (see
    // armFrom). Returns whether it was the game-over sequence's tick.
    bool runTick(Millis due, Millis start);

    // A key of the player's, handed to the game now.
    void deliverKey(int code);
    // The event processing inside a tick (EventPump): never inside a key handler.
    void processEvents() override;

    bool quit() const { return flow_.quit(); }
    void requestQuit() { flow_.requestQuit(); }
    bool playing() const { return flow_.playing(); }
    // No tick runs: no sound can start but by "BEGIN".
    bool quiet() const { return !playing() || flow_.game().el.Timer1.Interval == 0; }
    bool inTick() const { return inTick_; }
    // Ticks since "BEGIN" (the demo's tick numbers).
    int gameTick() const { return gameTick_; }

    ProgramFlow& flow() { return flow_; }
    Game& game() { return flow_.game(); }
    const Game& game() const { return flow_.game(); }
    // The demo replayed, which the caller may extend while it plays; null when none.
    Demo* demo();
    // Why a replay ended: "end" (its end line), "stalled" (paused with no key left) or
    // "game_over"; empty while it goes on.
    const std::string& replayEnded() const;

  private:
    struct Replay;

    void traceTick(Millis start, bool gameOverTick);
    void gameStarted();

    Hooks hooks_;
    std::ostream* trace_;
    std::unique_ptr<Replay> replay_;
    Services services_;
    ProgramFlow flow_;
    int traceTick_ = 0;      // ticks since the program started, for the trace
    int gameTick_ = 0;       // ticks since "BEGIN", for demos
    int pumps_ = 0;          // event points inside the running tick
    Millis lastTickEnd_ = 0; // when the last tick returned, for re-arming its timer
    bool inTick_ = false;
    bool inKeyHandler_ = false;
    bool nextTickPrepared_ = false;
};

} // namespace kelvar
