#pragma once
// The program's windows and how the player goes through them: the title screen, the help and
// options screen, the play field, and back to the title after each game. It owns the game and
// is the shell the game core calls back into.
#include <SDL.h>

#include <functional>
#include <memory>

#include "core/state/game.hpp"
#include "screens/help_screen.hpp"
#include "screens/play_field_view.hpp"
#include "screens/title_screen.hpp"

namespace kelvar {

class ProgramFlow final : public Shell {
  public:
    struct Hooks {
        // The play field window was created (or is gone: nullptr). The pointer parks on it.
        std::function<void(SDL_Window*)> playFieldWindow;
        // A game is about to be set up (its play field created): the random sequence's state
        // and the joystick as they are then.
        std::function<void()> gameSetUp;
        // "BEGIN" has started a game.
        std::function<void()> gameStarted;
        // A game ended with its game-over sequence.
        std::function<void()> gameEnded;
    };

    ProgramFlow(Services& services, std::uint64_t seed, Hooks hooks = {});
    ~ProgramFlow() override;

    // Program start: the title screen's set-up, then the title is shown.
    void start();
    // A replay: the play field set up and started as "BEGIN" does, with no title or help screen.
    void startReplay();

    // Shell
    void setCenterOrNot(int value) override;
    void closePlayFieldAndShowTitle() override;

    // An event of the title or help window (not of the play field).
    void screenEvent(const SDL_Event& e);
    // Windows whose handlers closed them are destroyed here, outside those handlers.
    void retire();

    bool quit() const { return quit_; }
    void requestQuit() { quit_ = true; }

    Game& game() { return game_; }
    TitleScreen* title() { return title_.get(); }
    HelpScreen* help() { return help_.get(); }
    PlayFieldView* playField() { return play_.get(); }
    // The play field is shown and its game can tick.
    bool playing() const;

  private:
    void titleFormLoad();
    void ensureHelp();
    void ensurePlayField();
    void startGameClicked();
    void beginClicked();

    Services& svc_;
    Hooks hooks_;
    Game game_;
    bool replay_ = false;
    bool quit_ = false;

    std::unique_ptr<TitleScreen> title_;
    std::unique_ptr<HelpScreen> help_;
    std::unique_ptr<PlayFieldView> play_;
    std::unique_ptr<TitleScreen> retiredTitle_;
    std::unique_ptr<HelpScreen> retiredHelp_;
};

} // namespace kelvar
