#pragma once
// The program's windows on the display: the session's screens as SDL windows. Events of the
// title and help windows go to their controls; the play field is drawn only when what it shows
// changed, or the window itself needs it.
#include <SDL.h>

#include <functional>
#include <memory>

#include "screens/help_screen.hpp"
#include "screens/play_field_view.hpp"
#include "screens/shown_frame.hpp"
#include "screens/title_screen.hpp"
#include "session/screens.hpp"

namespace kelvar {

// The window an event belongs to; 0 for one of no window (a quit, a joystick).
Uint32 windowOf(const SDL_Event& e);

class WindowScreens final : public Screens {
  public:
    // `playFieldWindow` hears of the play field window when it is made, and of its end (nullptr).
    // With `startFullscreen`, the play field goes fullscreen when it is first shown.
    WindowScreens(std::function<void(SDL_Window*)> playFieldWindow, bool startFullscreen);
    ~WindowScreens() override;

    void openTitle() override;
    void showTitle(bool top) override;
    void closeTitle() override;

    bool helpOpen() const override { return help_ != nullptr; }
    void openHelp() override;
    void shutHelpOptions() override { help_->ShutOptions(); }
    void selectHelpOption(int index) override { help_->selectOption(index); }
    void setCenterOrNot(int value) override { help_->setCenterOrNot(value); }
    HelpChoice helpChoice() const override { return {help_->valUsed(), help_->centerOrNot()}; }
    void showHelp(bool top) override;
    void closeHelp() override;

    bool playFieldOpen() const override { return play_ != nullptr; }
    void openPlayField(bool top) override;
    void showPlayField() override { play_->window().show(); }
    bool playFieldShown() const override;
    void closePlayField() override;

    void retire() override;

    // An event of the title or help window.
    void screenEvent(const SDL_Event& e);
    // Whether an event is the play field window's.
    bool ofPlayField(const SDL_Event& e) const;
    // Takes the play field window's own events: shown, exposed, resized, and the fullscreen keys.
    // Returns false for the events that are the game's (its keys).
    bool takePlayFieldEvent(const SDL_Event& e);
    // Draws the play field when it is shown and what it shows changed.
    void renderPlayField(const Game& g);

    TitleScreen* title() { return title_.get(); }
    HelpScreen* help() { return help_.get(); }
    PlayFieldView* playField() { return play_.get(); }

  private:
    std::function<void(SDL_Window*)> playFieldWindow_;
    bool startFullscreen_; // until the play field is first shown
    std::unique_ptr<TitleScreen> title_;
    std::unique_ptr<HelpScreen> help_;
    std::unique_ptr<PlayFieldView> play_;
    std::unique_ptr<TitleScreen> retiredTitle_;
    std::unique_ptr<HelpScreen> retiredHelp_;
    ShownFrame shown_; // what the play field window last presented
};

} // namespace kelvar
