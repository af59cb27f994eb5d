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
// file and by clicks; closed windows go when retired.
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
    test::clickControl(*screens.help(), "OptionBtn4");
    const HelpChoice c = screens.helpChoice();
    EXPECT_EQ(std::tie(c.valUsed, c.centerOrNot), std::make_tuple(std::string("2"), 1));
    test::clickControl(*screens.help(), "SBattle");
    EXPECT_EQ(clicks.log, "start x begin ");
    screens.closeTitle();
    screens.closeHelp();
    EXPECT_EQ(std::make_tuple(screens.title(), screens.helpOpen()),
              std::make_tuple(nullptr, false));
    screens.retire();
}

// The pointer hears of the play field window; its window events and the fullscreen keys are the
// window's, its other keys the game's. Alt+Enter and F11 switch on their first press only.
TEST_F(Windows, ThePlayFieldKeepsItsOwnEventsAndTellsThePointer) {
    screens.openPlayField(false);
    ASSERT_TRUE(screens.playFieldOpen());
    EXPECT_FALSE(screens.playFieldShown());
    screens.showPlayField();
    EXPECT_TRUE(screens.playFieldShown());
    const std::tuple<SDL_Keycode, Uint16, Uint8, Uint32, bool, bool> steps[] = {
        // key, modifiers, repeat, type, to the game, fullscreen after
        {SDLK_LEFT, 0, 0, SDL_KEYDOWN, true, false},
        {SDLK_F11, 0, 1, SDL_KEYDOWN, false, false}, // the desktop's repeat of a held F11
        {SDLK_F11, 0, 0, SDL_KEYDOWN, false, true},
        {SDLK_F11, 0, 1, SDL_KEYDOWN, false, true},
        {SDLK_F11, 0, 0, SDL_KEYUP, true, true},
        {SDLK_RETURN, KMOD_LALT, 0, SDL_KEYDOWN, false, false},
        {SDLK_KP_ENTER, KMOD_RALT, 0, SDL_KEYDOWN, false, true},
        {SDLK_RETURN, 0, 0, SDL_KEYDOWN, true, true},
        {SDLK_a, KMOD_LALT, 0, SDL_KEYDOWN, true, true},
        {SDLK_F11, KMOD_SHIFT, 0, SDL_KEYDOWN, false, false},
    };
    SDL_Event e{};
    for (const auto& [sym, mod, repeat, type, toGame, fullscreen] : steps) {
        const Uint32 id = screens.playField()->window().id();
        e.key = {type, 0, id, Uint8(type == SDL_KEYDOWN), repeat, 0, 0, {{}, sym, mod, 0}};
        EXPECT_TRUE(screens.ofPlayField(e));
        EXPECT_EQ(!screens.takePlayFieldEvent(e), toGame) << SDL_GetKeyName(sym);
        EXPECT_EQ(screens.playField()->window().fullscreen(), fullscreen) << SDL_GetKeyName(sym);
    }
    e.key.windowID += 100;
    EXPECT_FALSE(screens.ofPlayField(e));
    screens.closePlayField();
    EXPECT_EQ(pointerWindows.size(), 2u);
    EXPECT_NE(pointerWindows.front(), nullptr);
    EXPECT_EQ(pointerWindows.back(), nullptr);
}

} // namespace
} // namespace kelvar
