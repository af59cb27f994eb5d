#pragma once
// The program's windows without a display: what each would show, and its buttons for a test or
// a tool to click. Destroying a closed window (retire) is immediate: nothing holds on to one.
#include <string>

#include "session/screens.hpp"

namespace kelvar {

class VirtualScreens final : public Screens {
  public:
    // A window's state: made (open), shown, and placed at the top of the screen.
    struct Window {
        bool open = false;
        bool shown = false;
        bool top = false;
    };

    Window title, help, playField;
    HelpChoice choice; // the help screen's option buttons and check box
    int optionSelected = -1;

    void clickStartGame() { actions().startGameClicked(); }
    void clickExit() { actions().exitClicked(); }
    void clickBegin() { actions().beginClicked(); }

    void openTitle() override { title = {true, false, false}; }
    void showTitle(bool top) override { title = {true, true, top}; }
    void closeTitle() override { title = {}; }

    bool helpOpen() const override { return help.open; }
    void openHelp() override;
    void shutHelpOptions() override;
    void selectHelpOption(int index) override;
    void setCenterOrNot(int value) override { choice.centerOrNot = value ? 1 : 0; }
    HelpChoice helpChoice() const override { return choice; }
    void showHelp(bool top) override { help = {true, true, top}; }
    void closeHelp() override { help = {}; }

    bool playFieldOpen() const override { return playField.open; }
    void openPlayField(bool top) override { playField = {true, false, top}; }
    void showPlayField() override { playField.shown = true; }
    bool playFieldShown() const override { return playField.shown; }
    void closePlayField() override { playField = {}; }

    void retire() override {}
};

} // namespace kelvar
