// The options as the help screen takes them in: the speed and the check box they name.
#include <SDL.h>
#include <SDL_ttf.h>
#include <gtest/gtest.h>

#include "screens/help_screen.hpp"
#include "screens/screen_test_support.hpp"
#include "support/test_game.hpp"

namespace kelvar {
namespace {

class HelpOptions : public test::ScreenTest {};

TEST_F(HelpOptions, PreselectsTheSpeedAndTicksTheBoxTheOptionsName) {
    const struct {
        const char* file; // none: no file
        const char* selected;
        int ticked;
    } cases[] = {
        {"0\r\n 1\r\n", "0", 1}, {"2\r\n 0\r\n", "2", 0},  {"3\r\n 0\r\n", "U", 0},
        {"u\n1\n", "U", 1},      {"1\r\nabc\r\n", "1", 0}, {"U\r\n\r\n", "U", 0},
        {nullptr, "U", 0},
    };
    for (const auto& c : cases) {
        testing::TestGame t;
        if (c.file) t.options.files[t.optionsPath()] = c.file;
        LoadConfig(t.game); // the title screen reads the options first
        HelpScreen help(HelpScreen::Actions{[] {}});
        helpFormLoad(help, t.game);
        EXPECT_EQ(help.valUsed(), c.selected) << (c.file ? c.file : "no file");
        EXPECT_EQ(help.centerOrNot(), c.ticked) << (c.file ? c.file : "no file");
    }
}

} // namespace
} // namespace kelvar
