#pragma once
// The program in its windows: the real-time loop that waits for SDL's events and the due ticks,
// the play field's keyboard, and the window's trace and recording around one session of the
// rules.
#include <SDL.h>

#include <deque>
#include <fstream>
#include <optional>

#include "app/command_line.hpp"
#include "app/game_recorder.hpp"
#include "app/play_keys.hpp"
#include "app/recording_file.hpp"
#include "app/recording_joystick.hpp"
#include "app/sound_log.hpp"
#include "core/playfield/playfield.hpp"
#include "platform/disk_options_file.hpp"
#include "platform/loop_clock.hpp"
#include "platform/sdl/sdl_services.hpp"
#include "platform/sdl/sdl_sound.hpp"
#include "screens/window_screens.hpp"
#include "session/session.hpp"

namespace kelvar {

class App final {
  public:
    static constexpr Millis kQuietRecheckMs = 100;

    // With a demo, the play field replays it instead of taking the keyboard. `trace` is an open
    // output, or a closed stream when not asked for.
    App(const Options& options, std::optional<Demo> demo, std::ofstream* trace = nullptr);
    // Runs until "x", a closed window or a quit request; returns the exit code.
    int run();

  private:
    // The clock of the game's waits: the play field is repainted before each if what it shows
    // changed, so what a tick animates is seen, and a quit request ends the wait (events
    // otherwise wait in the queue).
    class LoopClock final : public Clock {
      public:
        explicit LoopClock(App& app) : app_(app) {}
        Millis now() override { return app_.mono_.now(); }
        void tickDelay(std::int32_t ms) override;

      private:
        App& app_;
    };

    // The machine under the session.
    struct Devices {
        explicit Devices(App& app);
        SdlPointer pointer;
        WindowKeyRepeat keyRepeat;
        SdlJoystick joystick;
        RecordingJoystick recJoystick; // the joystick as the recorder hears it
        SdlSound sound;
        SoundLog soundLog; // the sounds that started, for the trace
        std::unique_ptr<OptionsFile> options = optionsFileOfThisProcess(kOptionsFileName);
    };

    // The window's finer view of the running tick, for its trace.
    struct TickTimes {
        std::int64_t startMicros = 0;
        Millis due = 0;
        std::vector<std::int64_t> waitLate; // each wait of the tick: its end after due
    };

    Session::Hooks sessionHooks();
    void waitHoldingEvents(std::int64_t deadlineMicros);
    bool nextEvent(SDL_Event& e); // the held events first, then SDL's queue
    void waitForEvents();
    void dispatch(const SDL_Event& e);
    void playFieldEvent(const SDL_Event& e);
    void deliverKey(int code);
    void repeatHeldKey();
    // A due tick, a key repeat, or a look at a sound that outlasts the tick; none: wait for events.
    std::optional<std::int64_t> nextWakeMicros();
    void runDueTick();
    void renderPlayField() { screens_.renderPlayField(session_.game()); }

    // Recording.
    void gameSetUp();
    void gameStarted();
    void gameEnded();
    void writeRecording(int lastTick);

    MonoClock mono_;
    LoopClock clock_{*this};
    Devices devices_{*this};
    WindowScreens screens_;
    GameRecorder recorder_;
    std::string recordPath_;
    RecordingFile recordFile_{recordPath_};
    PlayKeys keys_;
    std::deque<SDL_Event> held_; // taken from SDL's queue during a wait of the game's
    TickTimes tickTimes_;
    int exitCode_ = 0;
    Session session_;
};

} // namespace kelvar
