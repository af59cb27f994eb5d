#pragma once
// The program in its windows: the title screen, the help and options screen and the play field,
// the real-time loop that drives the tick, and the keyboard of the play field.
#include <SDL.h>

#include <fstream>
#include <memory>

#include "app/command_line.hpp"
#include "app/headless/demo_schedule.hpp"
#include "platform/sdl/sdl_services.hpp"
#include "platform/sdl/sdl_sound.hpp"
#include "platform/virtual/virtual_services.hpp"
#include "playfield/game.hpp"
#include "screens/help_screen.hpp"
#include "screens/play_field_view.hpp"
#include "screens/title_screen.hpp"

namespace kelvar {

class App final : public Shell, public EventPump {
  public:
    // With a demo, the play field replays it instead of taking the keyboard.
    App(const Options& options, std::optional<Demo> demo);
    ~App() override;
    // Runs until "x" or a window is closed; returns the exit code.
    int run();

    // Shell
    void setCenterOrNot(int value) override;
    void closePlayFieldAndShowTitle() override;
    // EventPump: the event processing inside a tick.
    void processEvents() override;

  private:
    // Waits of the game: the play field is repainted before each, so that what a tick animates
    // is seen; events still wait in the queue.
    class RepaintingClock final : public Clock {
      public:
        explicit RepaintingClock(App& app) : app_(app) {}
        Millis now() override { return app_.sdlClock_.now(); }
        void tickDelay(std::int32_t ms) override;

      private:
        App& app_;
    };

    // Program flow.
    void titleFormLoad();
    void ensureHelp();
    void ensurePlayField();
    void startGameClicked();
    void exitClicked();
    void beginClicked();

    // Demo replay.
    void startDemo();
    void demoBetweenTicks();
    void deliverDemoKey(int code);

    // The loop.
    void dispatch(const SDL_Event& e, bool inTick);
    void playKey(const SDL_KeyboardEvent& k);
    void deliverKey(int code);
    void repeatHeldKey();
    int millisToNextEvent();
    void runDueTick();
    void renderScreens();
    void renderPlayField();
    void retire();

    SdlClock sdlClock_;
    RepaintingClock clock_{*this};
    SdlPointer pointer_;
    WindowKeyRepeat keyRepeat_;
    SdlJoystick joystick_;
    SdlSound sound_{clock_};
    PosixOptionsFile options_;
    std::optional<Demo> demo_;
    std::optional<DemoSchedule> schedule_;
    MemoryOptionsFile demoOptions_;
    ScriptedJoystick demoJoystick_;
    Services services_{clock_,
                       *this,
                       pointer_,
                       keyRepeat_,
                       demo_ ? static_cast<JoystickDevice&>(demoJoystick_) : joystick_,
                       sound_,
                       demo_ ? static_cast<OptionsFile&>(demoOptions_) : options_};
    Game game_;

    std::unique_ptr<TitleScreen> title_;
    std::unique_ptr<HelpScreen> help_;
    std::unique_ptr<PlayFieldView> play_;
    std::unique_ptr<TitleScreen> retiredTitle_;
    std::unique_ptr<HelpScreen> retiredHelp_;

    std::ofstream trace_; // --trace: one line per tick, as in headless runs
    int tickNumber_ = 0;
    int pumps_ = 0;

    bool playDirty_ = false; // the play field changed outside a tick (a key, an expose)
    bool quit_ = false;
    bool inTick_ = false;
    bool inKeyHandler_ = false;
    int heldKey_ = -1; // the play field key that repeats while held
    SDL_Keycode heldSym_ = 0;
    Millis nextRepeat_ = 0;
};

// Windows key code of an SDL key; the arrows, Space, Escape and Pause are the ones that play.
int windowsKeyCode(SDL_Keycode sym);

} // namespace kelvar
