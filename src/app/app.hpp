#pragma once
// The program in its windows: the real-time loop that waits for events and due ticks, the play
// field's keyboard, the event processing inside a tick, and the window's trace, recording and
// demo replay around the program flow.
#include <SDL.h>

#include <deque>
#include <fstream>
#include <optional>

#include "app/command_line.hpp"
#include "app/game_recorder.hpp"
#include "app/headless/demo_schedule.hpp"
#include "app/play_keys.hpp"
#include "app/program_flow.hpp"
#include "app/recording_joystick.hpp"
#include "app/shown_frame.hpp"
#include "app/sound_log.hpp"
#include "platform/posix/loop_clock.hpp"
#include "platform/sdl/sdl_services.hpp"
#include "platform/sdl/sdl_sound.hpp"
#include "platform/virtual/virtual_services.hpp"
#include "playfield/playfield.hpp"
#include "resources/sounds.hpp"

namespace kelvar {

class App final : public EventPump {
  public:
    static constexpr Millis kQuietRecheckMs = 100;

    // With a demo, the play field replays it instead of taking the keyboard. `trace` and
    // `record` are open outputs, or closed streams when not asked for.
    App(const Options& options, std::optional<Demo> demo, std::ofstream* trace = nullptr);
    // Runs until "x", a closed window or a quit request; returns the exit code.
    int run();

    // The event processing inside a tick.
    void processEvents() override;

    ProgramFlow& flow() { return flow_; }

  private:
    // The clock of the game's waits: the play field is repainted before each if what it shows
    // changed, so what a tick animates is seen, and a quit request ends the wait (events
    // otherwise wait in the queue).
    class LoopClock final : public Clock {
      public:
        explicit LoopClock(App& app) : app_(app) {}
        Millis now() override { return app_.sdlClock_.now(); }
        void tickDelay(std::int32_t ms) override;

      private:
        App& app_;
    };

    void waitHoldingEvents(std::int64_t deadlineMicros);
    bool nextEvent(SDL_Event& e); // the held events first, then SDL's queue
    void dispatch(const SDL_Event& e);
    void playFieldEvent(const SDL_Event& e);
    void deliverKey(int code);
    void repeatHeldKey();
    // A due tick, a key repeat, or a look at a sound that outlasts the tick; none: wait for events.
    std::optional<std::int64_t> nextWakeMicros();
    bool quiet(); // the tick is stopped: no sound can start but by "BEGIN"
    void runDueTick();
    void renderPlayField(); // only when what it shows changed, or the window needs it

    // Demo replay: before tick N its point-0 keys, then, while paused, the next keys one by one.
    void replayBetweenTicks();

    // Recording.
    void gameSetUp();
    void gameStarted();
    void gameEnded();
    void writeRecording(int lastTick);

    MonoClock sdlClock_;
    LoopClock clock_{*this};
    SdlPointer pointer_;
    WindowKeyRepeat keyRepeat_;
    SdlJoystick joystick_;
    ScriptedJoystick demoJoystick_;
    std::optional<Demo> demo_;
    std::optional<DemoSchedule> schedule_;
    RecordingJoystick recJoystick_;
    SdlSound sound_{clock_, resources::soundBytes};
    SoundLog soundLog_{sound_, [this] { renderPlayField(); }};
    PosixOptionsFile options_{optionsFolderOfThisProcess(kOptionsFileName)};
    MemoryOptionsFile demoOptions_;
    Services services_;
    ProgramFlow flow_;

    PlayKeys keys_;
    GameRecorder recorder_;
    std::string recordPath_;
    std::ofstream* trace_;

    int traceTick_ = 0; // ticks since the program started, for the trace
    int gameTick_ = 0;  // ticks since "BEGIN", for demos
    int pumps_ = 0;     // event points inside the running tick
    bool inTick_ = false;
    bool inKeyHandler_ = false;
    std::deque<SDL_Event> held_;         // taken from SDL's queue during a wait of the game's
    ShownFrame shown_;                   // what the play field window last presented
    Millis lastTickEnd_ = 0;             // when the last tick returned, for re-arming its timer
    std::vector<std::int64_t> waitLate_; // each wait of the running tick: its end after due
    bool startFullscreen_ = false;       // --fullscreen, until the play field is first shown
    int exitCode_ = 0;
};

} // namespace kelvar
