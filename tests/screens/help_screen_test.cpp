#include "screens/help_screen.hpp"

#include <SDL.h>
#include <gtest/gtest.h>

#include <array>

#include "screens/screen_test_support.hpp"

namespace kelvar {
namespace {

using namespace test;

constexpr std::array<const char*, 4> kOptions{"OptionBtn1", "OptionBtn2", "OptionBtn3",
                                              "OptionBtn4"};
constexpr std::array<const char*, 4> kCodes{"U", "0", "1", "2"};

class HelpScreenTest : public ScreenTest {
  protected:
    int begins = 0;
    HelpScreen screen{HelpScreen::Actions{[this] { ++begins; }}};

    ui::OptionButton& option(int i) {
        return dynamic_cast<ui::OptionButton&>(
            *screen.form().find(kOptions[static_cast<std::size_t>(i)]));
    }
    int selected() {
        int found = -1;
        for (int i = 0; i < 4; ++i)
            if (option(i).selected()) {
                EXPECT_EQ(found, -1) << "two options selected";
                found = i;
            }
        return found;
    }
};

TEST_F(HelpScreenTest, ClickingAnOptionOrItsCaptionSelectsItAloneAndShowsItsCode) {
    for (int i : {3, 0, 2, 1, 1}) {
        clickControl(screen, kOptions[static_cast<std::size_t>(i)]);
        EXPECT_EQ(selected(), i);
        EXPECT_EQ(screen.valUsed(), kCodes[static_cast<std::size_t>(i)]);
        EXPECT_EQ(focusName(screen), kOptions[static_cast<std::size_t>(i)]);
    }
    const SDL_Rect caption = option(2).captionArea.pixels();
    click(screen, {caption.x + caption.w - 10, caption.y + caption.h / 2}); // on the caption's text
    EXPECT_EQ(selected(), 2);
    EXPECT_EQ(begins, 0);
}

TEST_F(HelpScreenTest, TheCheckBoxTogglesAndShutOptionsClearsEverything) {
    const SDL_Rect box = rectOf(screen.form(), "CenterOrNot");
    const SDL_Rect square{box.x + 2, box.y + (box.h - 13) / 2 + 2, 9, 9}; // inside the bevel
    auto tickPixels = [&] {
        return drawn(screen).countIn(square, [](Rgb c) { return c == 0x000000; });
    };
    EXPECT_EQ(screen.centerOrNot(), 0);
    EXPECT_EQ(tickPixels(), 0);
    for (int expected : {1, 0, 1}) {
        clickControl(screen, "CenterOrNot");
        EXPECT_EQ(screen.centerOrNot(), expected);
        EXPECT_EQ(tickPixels() > 10, expected == 1);
    }
    screen.selectOption(2);
    screen.ShutOptions();
    EXPECT_EQ(selected(), -1);
    EXPECT_EQ(screen.centerOrNot(), 0);
    EXPECT_EQ(begins, 0);
}

TEST_F(HelpScreenTest, OnlyAClickOnBeginBegins) {
    screen.selectOption(1);
    for (const char* name :
         {"Label1", "Label7", "ValUsed", "Label21", "Label22", "Image7", "Shape3"}) {
        click(screen, centre(rectOf(screen.form(), name)));
        EXPECT_EQ(focusName(screen), "SBattle") << name;
    }
    // Pressed on a control but released off it.
    const SDL_Point p = centre(rectOf(screen.form(), "SBattle"));
    mouse(screen, SDL_MOUSEBUTTONDOWN, p.x, p.y);
    mouse(screen, SDL_MOUSEBUTTONUP, 430, 20);
    EXPECT_EQ(selected(), 1);
    EXPECT_EQ(screen.valUsed(), "0");
    EXPECT_EQ(screen.centerOrNot(), 0);
    EXPECT_EQ(begins, 0);
    clickControl(screen, "SBattle");
    EXPECT_EQ(begins, 1);
    EXPECT_EQ(selected(), 1);
}

TEST_F(HelpScreenTest, TabVisitsBeginTheSpeedChoiceAndTheCheckBox) {
    screen.selectOption(2);
    EXPECT_EQ(focusName(screen), "SBattle");
    // The option buttons are one stop, entered at the selected one.
    for (const char* name : {"OptionBtn3", "CenterOrNot", "SBattle", "OptionBtn3"}) {
        press(screen, SDLK_TAB);
        EXPECT_EQ(focusName(screen), name);
    }
    press(screen, SDLK_TAB, KMOD_RSHIFT);
    EXPECT_EQ(focusName(screen), "SBattle");
    // With nothing selected the stop is the first option.
    screen.ShutOptions();
    press(screen, SDLK_TAB);
    EXPECT_EQ(focusName(screen), "OptionBtn1");
    EXPECT_EQ(selected(), -1) << "a Tab only moves the focus";
}

} // namespace
} // namespace kelvar
