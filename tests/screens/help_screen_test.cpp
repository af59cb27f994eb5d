#include "screens/help_screen.hpp"

#include <SDL.h>
#include <gtest/gtest.h>

#include "screens/screen_test_support.hpp"

namespace kelvar {
namespace {

using namespace test;

class HelpScreenTest : public ScreenTest {
  protected:
    int begins = 0;
    HelpScreen screen{HelpScreen::Actions{[this] { ++begins; }}};

    ui::OptionButton& option(int i) {
        return dynamic_cast<ui::OptionButton&>(
            *screen.form().find("OptionBtn" + std::to_string(i + 1)));
    }
    // The one selected option, -1 for none.
    int selected() {
        int found = -1, count = 0;
        for (int i = 0; i < 4; ++i)
            if (option(i).selected()) found = i, ++count;
        EXPECT_LE(count, 1) << "two options selected";
        return found;
    }
};

TEST_F(HelpScreenTest, ClickingAnOptionOrItsCaptionSelectsItAloneAndShowsItsCode) {
    const char* codes[] = {"U", "0", "1", "2"};
    for (int i : {3, 0, 1}) {
        clickControl(screen, "OptionBtn" + std::to_string(i + 1));
        EXPECT_EQ(selected(), i);
        EXPECT_EQ(screen.valUsed(), codes[i]);
    }
    const SDL_Rect caption = option(2).captionArea.pixels();
    click(screen, {caption.x + caption.w - 10, caption.y + caption.h / 2}); // on the caption's text
    EXPECT_EQ(selected(), 2);
    EXPECT_EQ(screen.valUsed(), "1");
    EXPECT_EQ(begins, 0);
}

// The tick is drawn in the box; ShutOptions clears the box and the options.
TEST_F(HelpScreenTest, TheCheckBoxTogglesAndShutOptionsClearsEverything) {
    const SDL_Rect box = rectOf(screen.form(), "CenterOrNot");
    const SDL_Rect square{box.x + 2, box.y + (box.h - 13) / 2 + 2, 9, 9}; // inside the bevel
    auto ticked = [&] { return drawn(screen).countIn(square, [](Rgb c) { return c == 0; }) > 10; };
    EXPECT_FALSE(ticked());
    for (int expected : {1, 0, 1}) {
        clickControl(screen, "CenterOrNot");
        EXPECT_EQ(screen.centerOrNot(), expected);
        EXPECT_EQ(ticked(), expected == 1);
    }
    screen.selectOption(2);
    screen.ShutOptions();
    EXPECT_EQ(selected(), -1);
    EXPECT_EQ(screen.centerOrNot(), 0);
    EXPECT_EQ(begins, 0);
}

// Clicks on the texts and pictures, or a press on BEGIN released off it, change nothing.
TEST_F(HelpScreenTest, OnlyAClickOnBeginBegins) {
    screen.selectOption(1);
    for (const char* name : {"Label1", "ValUsed", "Label22", "Image7", "Shape3"})
        click(screen, centre(rectOf(screen.form(), name)));
    const SDL_Point p = centre(rectOf(screen.form(), "SBattle"));
    mouse(screen, SDL_MOUSEBUTTONDOWN, p.x, p.y);
    mouse(screen, SDL_MOUSEBUTTONUP, 430, 20);
    EXPECT_EQ(std::make_tuple(selected(), screen.valUsed(), screen.centerOrNot(), begins),
              std::make_tuple(1, std::string("0"), 0, 0));
    clickControl(screen, "SBattle");
    EXPECT_EQ(begins, 1);
}

// The option buttons are one stop, entered at the selected one, or the first when none is.
TEST_F(HelpScreenTest, TabVisitsBeginTheSpeedChoiceAndTheCheckBox) {
    screen.selectOption(2);
    EXPECT_EQ(focusName(screen), "SBattle");
    for (const char* name : {"OptionBtn3", "CenterOrNot", "SBattle"}) {
        press(screen, SDLK_TAB);
        EXPECT_EQ(focusName(screen), name);
    }
    press(screen, SDLK_TAB, KMOD_RSHIFT);
    EXPECT_EQ(focusName(screen), "CenterOrNot");
    screen.ShutOptions();
    press(screen, SDLK_TAB);
    press(screen, SDLK_TAB);
    EXPECT_EQ(focusName(screen), "OptionBtn1");
    EXPECT_EQ(selected(), -1) << "a Tab only moves the focus";
}

} // namespace
} // namespace kelvar
