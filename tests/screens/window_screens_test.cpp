// The session's screens as real windows (offscreen driver): the buttons reach the session, the
// help screen's controls are what it reads, closed windows go when retired, and the play field's
// own events stay away from the game.
#include "screens/window_screens.hpp"

#include "core/playfield/playfield.hpp"
#include "screens/screen_test_support.hpp"
#include "support/test_game.hpp"

namespace kelvar {
namespace {

struct Clicks final : PlayerActions {
    void startGameClicked() override { log += "start "; }
    void exitClicked() override { log += "x "; }
    void beginClicked() override { log += "begin "; }
    std::string log;
};

class Windows : public test::ScreenTest {
  protected:
    Windows() { screens.answerTo(&clicks); }
    Clicks clicks;
    std::vector<SDL_Window*> pointerWindows;
    WindowScreens screens{[this](SDL_Window* w) { pointerWindows.push_back(w); }, false};
};

// The buttons reach the session; the help choice is what its controls hold, set by the options
// file or by clicks; closed windows go when retired.
TEST_F(Windows, TheButtonsReachTheSessionAndClosedWindowsGoWhenRetired) {
    screens.openTitle();
    screens.showTitle(false);
    ASSERT_TRUE(screens.title()->window().shown());
    test::clickControl(*screens.title(), "StartBtn");
    test::clickControl(*screens.title(), "Exit");
    screens.openHelp();
    EXPECT_FALSE(screens.help()->window().shown());
    screens.showHelp(true);
    screens.shutHelpOptions();
    screens.selectHelpOption(2);
    screens.setCenterOrNot(1);
    const HelpChoice preset = screens.helpChoice();
    test::clickControl(*screens.help(), "OptionBtn4");
    test::clickControl(*screens.help(), "CenterOrNot");
    const HelpChoice clicked = screens.helpChoice();
    test::clickControl(*screens.help(), "SBattle");
    EXPECT_EQ(std::tie(preset.valUsed, preset.centerOrNot, clicked.valUsed, clicked.centerOrNot),
              std::make_tuple(std::string("1"), 1, std::string("2"), 0));
    EXPECT_EQ(clicks.log, "start x begin ");
    screens.closeTitle();
    screens.closeHelp();
    EXPECT_EQ(std::make_tuple(screens.title(), screens.helpOpen()),
              std::make_tuple(nullptr, false));
    screens.retire();
}

// The pointer hears of the play field window; its window events and the fullscreen keys are the
// window's, its other keys the game's; it is drawn only when shown and changed.
TEST_F(Windows, ThePlayFieldKeepsItsOwnEventsAndTellsThePointer) {
    screens.openPlayField(false);
    ASSERT_TRUE(screens.playFieldOpen());
    EXPECT_FALSE(screens.playFieldShown());
    SDL_Event e{};
    e.type = SDL_KEYDOWN;
    e.key.windowID = screens.playField()->window().id();
    e.key.keysym.sym = SDLK_LEFT;
    EXPECT_TRUE(screens.ofPlayField(e));
    EXPECT_FALSE(screens.takePlayFieldEvent(e));
    e.key.keysym.sym = SDLK_F11;
    e.key.repeat = 1; // the desktop's repeat of a held F11: taken, but no switch
    EXPECT_TRUE(screens.takePlayFieldEvent(e));
    EXPECT_FALSE(screens.playField()->window().fullscreen());
    e.key.windowID += 100;
    EXPECT_FALSE(screens.ofPlayField(e));
    screens.showPlayField();
    EXPECT_TRUE(screens.playFieldShown());
    screens.closePlayField();
    EXPECT_EQ(pointerWindows.size(), 2u);
    EXPECT_NE(pointerWindows.front(), nullptr);
    EXPECT_EQ(pointerWindows.back(), nullptr);
}

} // namespace
} // namespace kelvar
