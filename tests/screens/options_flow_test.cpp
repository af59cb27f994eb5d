// The options as the help screen takes them in and writes them out.
#include <SDL.h>
#include <SDL_ttf.h>
#include <gtest/gtest.h>

#include <cstdlib>

#include "screens/help_screen.hpp"
#include "support/test_game.hpp"

namespace kelvar {
namespace {

class HelpOptions : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        setenv("SDL_VIDEODRIVER", "offscreen", 0);
        ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
        TTF_Init();
    }

    // The help screen set up over an options file with these bytes (none: no file).
    std::unique_ptr<HelpScreen> helpOver(const char* fileBytes) {
        if (fileBytes) t.options.files[t.optionsPath()] = fileBytes;
        LoadConfig(t.game); // the title screen reads the options first
        auto help = std::make_unique<HelpScreen>(HelpScreen::Actions{[] {}});
        helpFormLoad(*help, t.game);
        return help;
    }

    testing::TestGame t;
};

TEST_F(HelpOptions, PreselectsTheSpeedTheOptionsName) {
    const struct {
        const char* file;
        const char* selected;
    } cases[] = {
        {"U\r\n 0\r\n", "U"}, {"0\r\n 0\r\n", "0"}, {"1\r\n 0\r\n", "1"}, {"2\r\n 0\r\n", "2"},
        {"3\r\n 0\r\n", "U"}, {"u\r\n 0\r\n", "U"}, {nullptr, "U"},
    };
    for (const auto& c : cases) {
        t.game.st.DlyType.clear();
        t.options.files.clear();
        auto help = helpOver(c.file);
        EXPECT_EQ(help->valUsed(), c.selected) << (c.file ? c.file : "no file");
    }
}

TEST_F(HelpOptions, CheckBoxFollowsThePlacementFlag) {
    const struct {
        const char* file;
        int ticked;
    } cases[] = {
        {"U\r\n 1\r\n", 1},  {"U\n1\n", 1},    {"U\r\n 0\r\n", 0},
        {"U\r\nabc\r\n", 0}, {"U\r\n\r\n", 0}, {nullptr, 0},
    };
    for (const auto& c : cases) {
        t.options.files.clear();
        auto help = helpOver(c.file);
        EXPECT_EQ(help->centerOrNot(), c.ticked) << (c.file ? c.file : "no file");
    }
}

} // namespace
} // namespace kelvar
