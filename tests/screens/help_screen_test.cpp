// The title and help windows as a player uses them: clicks, keys, and what the options file
// preselects.
#include "screens/help_screen.hpp"

#include "screens/screen_test_support.hpp"
#include "screens/title_screen.hpp"
#include "support/test_game.hpp"

namespace kelvar {
namespace {

using namespace test;

class Screens : public ScreenTest {
  protected:
    int starts = 0, exits = 0, begins = 0;
    TitleScreen title{TitleScreen::Actions{[this] { ++starts; }, [this] { ++exits; }}};
    HelpScreen help{HelpScreen::Actions{[this] { ++begins; }}};

    ui::OptionButton& option(int i) {
        return dynamic_cast<ui::OptionButton&>(*help.form().find("OptionBtn" + std::to_string(i)));
    }
    // The one selected option (1 to 4), 0 for none.
    int selected() {
        int found = 0, count = 0;
        for (int i = 1; i <= 4; ++i)
            if (option(i).selected()) found = i, ++count;
        EXPECT_LE(count, 1) << "two options selected";
        return found;
    }
};

// Space or Enter runs the focused button; Tab walks the buttons in order; the art's hidden
// button does nothing. On help the option buttons are one stop, entered at the selected one, or
// the first when none is.
TEST_F(Screens, KeysRunTheFocusedButtonAndTabWalksInOrder) {
    const std::tuple<int, SDL_Keycode, int, int> cases[] = {
        {0, SDLK_KP_ENTER, 1, 0}, {1, SDLK_RETURN, 0, 1}, {2, SDLK_SPACE, 0, 0}};
    for (const auto& [tabs, key, start, exit] : cases) {
        TitleScreen s{{[&] { ++starts; }, [&] { ++exits; }}};
        starts = exits = 0;
        for (int i = 0; i < tabs; ++i) press(s, SDLK_TAB);
        press(s, key);
        EXPECT_EQ(std::tie(starts, exits), std::tie(start, exit)) << SDL_GetKeyName(key) << tabs;
    }
    clickControl(title, "NullFunc");
    EXPECT_EQ(std::tie(starts, exits), std::make_tuple(0, 0));
    help.selectOption(2);
    for (const char* name : {"OptionBtn3", "CenterOrNot", "SBattle"}) {
        press(help, SDLK_TAB);
        EXPECT_EQ(focusName(help), name);
    }
    help.ShutOptions();
    press(help, SDLK_TAB);
    EXPECT_EQ(focusName(help), "OptionBtn1");
    EXPECT_EQ(selected(), 0) << "a Tab only moves the focus";
    help.selectOption(1); // the group's stop moves to the second option, the focus stays
    press(help, SDLK_TAB);
    EXPECT_EQ(focusName(help), "CenterOrNot");
}

// The bevel is shadowed while the button is held down; it clicks only when pressed and
// released over it.
TEST_F(Screens, AButtonClicksOnlyWhenTheMouseIsPressedAndReleasedOverIt) {
    const SDL_Rect start = rectOf(title.form(), "StartBtn");
    const SDL_Point in = centre(start), out{in.x, start.y + start.h + 5};
    auto bevel = [&] { return drawn(title).at(start.x + 1, start.y + 1); };
    EXPECT_EQ(bevel(), ui::face::Highlight);
    mouse(title, SDL_MOUSEBUTTONDOWN, in.x, in.y);
    EXPECT_EQ(bevel(), ui::face::Shadow);
    mouse(title, SDL_MOUSEMOTION, out.x, out.y);
    mouse(title, SDL_MOUSEBUTTONUP, out.x, out.y);
    mouse(title, SDL_MOUSEBUTTONDOWN, 5, 5);
    mouse(title, SDL_MOUSEBUTTONUP, in.x, in.y);
    EXPECT_EQ(starts, 0);
    mouse(title, SDL_MOUSEBUTTONDOWN, in.x, in.y);
    mouse(title, SDL_MOUSEMOTION, 5, 5);
    mouse(title, SDL_MOUSEMOTION, in.x, in.y); // back over it before the release
    mouse(title, SDL_MOUSEBUTTONUP, in.x, in.y);
    EXPECT_EQ(starts, 1);
}

// A click on an option or on its caption's text selects it alone; the check box's tick is
// drawn; ShutOptions clears both.
TEST_F(Screens, OptionsTheCheckBoxAndBeginFollowClicks) {
    clickControl(help, "OptionBtn4");
    EXPECT_EQ(std::make_tuple(selected(), help.valUsed()), std::make_tuple(4, std::string("2")));
    const SDL_Rect caption = option(3).captionArea.pixels();
    click(help, {caption.x + caption.w - 10, caption.y + caption.h / 2});
    EXPECT_EQ(std::make_tuple(selected(), help.valUsed()), std::make_tuple(3, std::string("1")));

    const SDL_Rect box = rectOf(help.form(), "CenterOrNot");
    const SDL_Rect square{box.x + 2, box.y + (box.h - 13) / 2 + 2, 9, 9}; // inside the bevel
    auto ticked = [&] { return drawn(help).countIn(square, [](Rgb c) { return c == 0; }) > 10; };
    EXPECT_FALSE(ticked());
    for (int expected : {1, 0, 1}) {
        clickControl(help, "CenterOrNot");
        EXPECT_EQ(help.centerOrNot(), expected);
        EXPECT_EQ(ticked(), expected == 1);
    }
    // Clicks on the texts and pictures change nothing; only BEGIN begins.
    for (const char* name : {"Label1", "ValUsed", "Image7", "Shape3"})
        click(help, centre(rectOf(help.form(), name)));
    EXPECT_EQ(std::make_tuple(selected(), help.centerOrNot(), begins), std::make_tuple(3, 1, 0));
    clickControl(help, "SBattle");
    EXPECT_EQ(begins, 1);
    help.ShutOptions();
    EXPECT_EQ(std::make_tuple(selected(), help.centerOrNot()), std::make_tuple(0, 0));
}

} // namespace
} // namespace kelvar
