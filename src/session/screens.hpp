#pragma once
// The program's three windows as the session drives them: the title screen, the help and options
// screen and the play field. The window program shows them with SDL; a headless run keeps them
// as plain state. What the player does on them comes back through PlayerActions.
#include <string>

namespace kelvar {

// What the help screen holds when "BEGIN" is clicked.
struct HelpChoice {
    std::string valUsed; // the chosen speed's code
    int centerOrNot = 0; // the placement check box: 1 ticked, 0 clear
};

// The buttons that move the program on.
class PlayerActions {
  public:
    virtual ~PlayerActions() = default;
    virtual void startGameClicked() = 0; // the title's "Start Game"
    virtual void exitClicked() = 0;      // the title's "x"
    virtual void beginClicked() = 0;     // the help screen's "BEGIN"
};

class Screens {
  public:
    virtual ~Screens() = default;
    // Where the clicks go.
    void answerTo(PlayerActions* actions) { actions_ = actions; }

    // The title window is made hidden; shown, it is placed at the top of the screen or centred,
    // then drawn. Closed, it is hidden at once and destroyed by retire().
    virtual void openTitle() = 0;
    virtual void showTitle(bool top) = 0;
    virtual void closeTitle() = 0;

    // The help window is made hidden and centred. Its option buttons and check box are set as
    // its set-up says; shown, it goes to the top of the screen when asked, then is drawn.
    virtual bool helpOpen() const = 0;
    virtual void openHelp() = 0;
    virtual void shutHelpOptions() = 0;           // no speed button selected, check box clear
    virtual void selectHelpOption(int index) = 0; // 0..3, as clicking it does
    virtual void setCenterOrNot(int value) = 0;
    virtual HelpChoice helpChoice() const = 0;
    virtual void showHelp(bool top) = 0;
    virtual void closeHelp() = 0;

    // The play field window is made hidden and placed; closed, it is gone at once.
    virtual bool playFieldOpen() const = 0;
    virtual void openPlayField(bool top) = 0;
    virtual void showPlayField() = 0;
    virtual bool playFieldShown() const = 0;
    virtual void closePlayField() = 0;

    // Windows whose handlers closed them are destroyed here, outside those handlers.
    virtual void retire() = 0;

  protected:
    PlayerActions& actions() { return *actions_; }

  private:
    PlayerActions* actions_ = nullptr;
};

} // namespace kelvar
