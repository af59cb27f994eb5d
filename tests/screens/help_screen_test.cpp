// The title and help windows as a player uses them: keys, clicks, and what the options file
// preselects.
#include "screens/help_screen.hpp"

#include <sstream>

#include "screens/screen_test_support.hpp"
#include "screens/title_screen.hpp"

namespace kelvar {
namespace {

using namespace test;

class Screens : public ScreenTest {
  protected:
    int starts = 0, exits = 0, begins = 0;
    TitleScreen title{TitleScreen::Actions{[this] { ++starts; }, [this] { ++exits; }}};
    HelpScreen help{HelpScreen::Actions{[this] { ++begins; }}};
};

ui::OptionButton& option(HelpScreen& h, int i) {
    return dynamic_cast<ui::OptionButton&>(*h.form().find("OptionBtn" + std::to_string(i)));
}

// The one selected option (1 to 4), 0 for none, -1 for more than one.
int selected(HelpScreen& h) {
    int found = 0;
    for (int i = 1; i <= 4; ++i)
        if (option(h, i).selected()) found = found ? -1 : i;
    return found;
}

// From a fresh screen (BEGIN focused), a speed preselected ("#N", as the options file does) and
// the keys typed = the focus, the option selected, the speed shown, the check box and how many
// times BEGIN ran. Space or Enter runs the focused control, Space on its release; Tab walks the
// controls in order, the option buttons one stop entered at the selected one or the first (or
// after it: when the selection moves, the focus stays); the arrows move and select in the group
// and nowhere else.
TEST_F(Screens, EachKeyDoesItsOwnThingWithEachControlFocused) {
    const char* cases[] = {"#0 Return = SBattle 1 U 0 1",
                           "#0 Enter = SBattle 1 U 0 1",
                           "#0 Space = SBattle 1 U 0 1",
                           "#1 Down Right = SBattle 2 0 0 0",
                           "Tab = OptionBtn1 0 - 0 0",
                           "#2 Tab = OptionBtn3 3 1 0 0",
                           "Tab Down = OptionBtn2 2 0 0 0",
                           "#1 Tab Right = OptionBtn3 3 1 0 0",
                           "#3 Tab Down = OptionBtn1 1 U 0 0",
                           "#2 Tab Up = OptionBtn2 2 0 0 0",
                           "#0 Tab Left = OptionBtn4 4 2 0 0",
                           "Tab Space = OptionBtn1 1 U 0 0",
                           "#2 Tab Return = OptionBtn3 3 1 0 1",
                           "#0 Tab Down Tab = CenterOrNot 2 0 0 0",
                           "Tab #1 Tab = CenterOrNot 2 0 0 0",
                           "Tab Tab Space = CenterOrNot 0 - 1 0",
                           "Tab Tab Space Space = CenterOrNot 0 - 0 0",
                           "#1 Tab Tab Up Left = CenterOrNot 2 0 0 0",
                           "Tab Tab Return = CenterOrNot 0 - 0 1",
                           "Tab Tab Tab = SBattle 0 - 0 0",
                           "#3 L-Tab = CenterOrNot 4 2 0 0",
                           "#3 L-Tab R-Tab = OptionBtn4 4 2 0 0",
                           "Tab Tab +Space = CenterOrNot 0 - 0 0",
                           "Tab Tab +Space Tab -Space = SBattle 0 - 0 0",
                           "Tab +Space Down -Space = OptionBtn2 2 0 0 0",
                           "+Space Tab Tab Tab -Space = SBattle 0 - 0 0"};
    for (const std::string c : cases) {
        int begun = 0;
        HelpScreen h{HelpScreen::Actions{[&] { ++begun; }}};
        h.ShutOptions();
        type(h, c.substr(0, c.find(" = ")));
        std::ostringstream s;
        s << focusName(h) << " " << selected(h) << " " << (h.valUsed().empty() ? "-" : h.valUsed())
          << " " << h.centerOrNot() << " " << begun;
        EXPECT_EQ(s.str(), c.substr(c.find(" = ") + 3)) << c;
    }
    // On the title Tab walks the buttons in order; the art's hidden button does nothing.
    for (const auto& [keys, start, exit] :
         {std::tuple{"Enter", 1, 0}, {"Tab Return", 0, 1}, {"Tab Tab Space", 0, 0}}) {
        TitleScreen s{{[&] { ++starts; }, [&] { ++exits; }}};
        starts = exits = 0;
        type(s, keys);
        EXPECT_EQ(std::tie(starts, exits), std::tie(start, exit)) << keys;
    }
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
    clickControl(title, "NullFunc");
    EXPECT_EQ(std::tie(starts, exits), std::make_tuple(0, 0));
    mouse(title, SDL_MOUSEBUTTONDOWN, in.x, in.y);
    mouse(title, SDL_MOUSEMOTION, 5, 5);
    mouse(title, SDL_MOUSEMOTION, in.x, in.y); // back over it before the release
    mouse(title, SDL_MOUSEBUTTONUP, in.x, in.y);
    EXPECT_EQ(starts, 1);
}

// A click on an option or on its caption's text selects it alone; the check box's tick is
// drawn; clicks on the texts and pictures change nothing; only BEGIN begins; ShutOptions clears.
TEST_F(Screens, OptionsTheCheckBoxAndBeginFollowClicks) {
    clickControl(help, "OptionBtn4");
    EXPECT_EQ(std::make_tuple(selected(help), help.valUsed()),
              std::make_tuple(4, std::string("2")));
    const SDL_Rect caption = option(help, 3).captionArea.pixels();
    click(help, {caption.x + caption.w - 10, caption.y + caption.h / 2});
    EXPECT_EQ(std::make_tuple(selected(help), help.valUsed()),
              std::make_tuple(3, std::string("1")));
    const SDL_Rect box = rectOf(help.form(), "CenterOrNot");
    const SDL_Rect square{box.x + 2, box.y + (box.h - 13) / 2 + 2, 9, 9}; // inside the bevel
    for (int expected : {1, 0, 1}) {
        clickControl(help, "CenterOrNot");
        EXPECT_EQ(help.centerOrNot(), expected);
        EXPECT_EQ(drawn(help).countIn(square, [](Rgb c) { return c == 0; }) > 10, expected == 1);
    }
    for (const char* name : {"Label1", "ValUsed", "Image7", "Shape3"})
        click(help, centre(rectOf(help.form(), name)));
    EXPECT_EQ(std::make_tuple(selected(help), help.centerOrNot(), begins),
              std::make_tuple(3, 1, 0));
    clickControl(help, "SBattle");
    EXPECT_EQ(begins, 1);
    help.ShutOptions();
    EXPECT_EQ(std::make_tuple(selected(help), help.centerOrNot()), std::make_tuple(0, 0));
}

} // namespace
} // namespace kelvar
