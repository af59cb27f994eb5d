#pragma once
// How the player goes through the program's windows: the title screen, the help and options
// screen, the play field, and back to the title after each game. It owns the game and is the
// shell the game core calls back into; the windows themselves are the Screens it is given.
#include <functional>

#include "core/state/game.hpp"
#include "session/screens.hpp"

namespace kelvar {

class ProgramFlow final : public Shell, public PlayerActions {
  public:
    struct Hooks {
        // A game is about to be set up (its play field created): the random sequence's state
        // and the joystick as they are then.
        std::function<void()> gameSetUp;
        // "BEGIN" has started a game.
        std::function<void()> gameStarted;
        // A game ended with its game-over sequence.
        std::function<void()> gameEnded;
    };

    ProgramFlow(Services& services, Screens& screens, std::uint64_t seed, Hooks hooks = {});
    ~ProgramFlow() override;
    ProgramFlow(const ProgramFlow&) = delete;
    ProgramFlow& operator=(const ProgramFlow&) = delete;

    // Program start: the title screen's set-up, then the title is shown.
    void start();
    // A replay: the play field set up and started as "BEGIN" does, with no title or help screen.
    void startReplay();

    // Shell
    void setCenterOrNot(int value) override;
    void closePlayFieldAndShowTitle() override;

    // PlayerActions
    void startGameClicked() override;
    void exitClicked() override { quit_ = true; }
    void beginClicked() override;

    bool quit() const { return quit_; }
    void requestQuit() { quit_ = true; }
    bool replay() const { return replay_; }

    Game& game() { return game_; }
    const Game& game() const { return game_; }
    // The play field is shown and its game can tick.
    bool playing() const { return screens_.playFieldShown(); }

  private:
    void titleFormLoad();
    void helpFormLoad();
    void ensureHelp();
    void ensurePlayField();

    Services& svc_;
    Screens& screens_;
    Hooks hooks_;
    Game game_;
    bool replay_ = false;
    bool quit_ = false;
};

} // namespace kelvar
