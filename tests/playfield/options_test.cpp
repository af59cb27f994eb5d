#include <gtest/gtest.h>

#include "support/test_game.hpp"

namespace kelvar {
namespace {

struct OptionsCase {
    const char* name;
    std::optional<std::string> file; // nullopt: no options file
    int tdel;
    std::string dlyType, verticl;
    int centerOrNot;
};

// Read at program start, when DlyType and Verticl are still empty.
const OptionsCase kCases[] = {
    {"missing", std::nullopt, 35, "", "0", 0},
    {"empty", "", 35, "", "", 0},
    {"one_line_falls_back_but_keeps_the_speed", "0\r\n", 30, "0", "0", 0},
    {"one_line_without_line_end", "2", 45, "2", "0", 0},
    {"max_and_top_of_screen", "2\r\n 1\r\n", 45, "2", " 1", 1},
    {"lf_line_ends", "2\n 1\n", 45, "2", " 1", 1},
    {"universal", "U\r\n0\r\n", 35, "U", "0", 0},
    {"faster", "0\r\n 0\r\n", 30, "0", " 0", 0},
    {"slower", "1\r\n1\r\n", 40, "1", "1", 1},
    {"lower_case_code", "u\r\n0\r\n", 35, "u", "0", 0},
    {"unknown_code", "3\r\n0\r\n", 35, "3", "0", 0},
    {"code_with_blank", " U\r\n0\r\n", 35, " U", "0", 0},
    {"code_with_trailing_blank", "2 \r\n0\r\n", 35, "2 ", "0", 0},
    {"not_a_number", "2\r\nabc\r\n", 45, "2", "abc", 0},
    {"blanks_around_one", "1\r\n  1  \r\n", 40, "1", "  1  ", 1},
    {"two", "1\r\n2\r\n", 40, "1", "2", 0},
    {"only_the_first_two_lines", "0\r\n1\r\n2\r\nmore\r\n", 30, "0", "1", 1},
};

class LoadConfigCases : public ::testing::TestWithParam<OptionsCase> {};

TEST_P(LoadConfigCases, ReadsTheSpeedAndThePlacement) {
    const OptionsCase& c = GetParam();
    testing::TestGame t;
    if (c.file) t.options.files[t.optionsPath()] = *c.file;
    LoadConfig(t.game);
    EXPECT_EQ(t.game.st.TDel, c.tdel);
    EXPECT_EQ(t.game.st.DlyType, c.dlyType);
    EXPECT_EQ(t.game.st.Verticl, c.verticl);
    EXPECT_EQ(t.shell.centerOrNot, c.centerOrNot);
    EXPECT_EQ(verticlIsOne(t.game.st.Verticl), c.centerOrNot == 1);
    EXPECT_EQ(t.game.st.WorkingDir, t.options.folder);
}

INSTANTIATE_TEST_SUITE_P(Files, LoadConfigCases, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(LoadConfig, AnEarlierSpeedCodeOutlivesAFileThatGoesAway) {
    testing::TestGame t;
    t.options.files[t.optionsPath()] = "2\r\n 1\r\n";
    LoadConfig(t.game);
    t.options.files[t.optionsPath()] = ""; // an empty file reads nothing
    LoadConfig(t.game);
    EXPECT_EQ(t.game.st.TDel, 45);
    EXPECT_EQ(t.game.st.Verticl, " 1");
    t.options.files.clear(); // no file: the defaults, but DlyType stays
    LoadConfig(t.game);
    EXPECT_EQ(t.game.st.DlyType, "2");
    EXPECT_EQ(t.game.st.TDel, 45);
    EXPECT_EQ(t.game.st.Verticl, "0");
    EXPECT_EQ(t.shell.centerOrNot, 0);
}

TEST(LoadConfig, ReadsBackWhatBeginWrites) {
    for (const char* code : {"U", "0", "1", "2"}) {
        for (int box : {0, 1}) {
            testing::TestGame t;
            t.options.files[t.optionsPath()] = optionsFileBytes(code, box);
            LoadConfig(t.game);
            EXPECT_EQ(t.game.st.DlyType, code);
            EXPECT_EQ(t.shell.centerOrNot, box);
        }
    }
    EXPECT_EQ(optionsFileBytes("2", 0), "2\r\n 0\r\n");
}

TEST(FormLoad, ANewGameKeepsOnlyTheTopScore) {
    testing::TestGame t;
    t.start("1");
    Game& g = t.game;
    g.st.iScore = 530;
    g.st.iTopScore = 530;
    g.st.iLevel = 6;
    g.st.iLossVar = 1;
    g.st.GameOver = true;
    createPlayField(g); // what the title screen does after a game over
    EXPECT_EQ(g.el.ScoreLbl.Caption, "0");
    EXPECT_EQ(g.el.TopScoreLbl.Caption, "530");
    EXPECT_EQ(g.el.LevelLbl.Caption, "0");
    EXPECT_EQ(g.el.LossesLbl.Caption, "4");
    EXPECT_EQ(g.st.iScore, 0);
    EXPECT_EQ(g.st.iLevel, 0);
    EXPECT_EQ(g.st.iLossVar, 4);
    EXPECT_FALSE(g.st.GameOver);
    EXPECT_EQ(g.st.iEnmyLeft, 30);
    EXPECT_EQ(g.el.Timer1.Interval, 40);
    EXPECT_EQ(t.keyRepeat.delay, 0);
    EXPECT_EQ(t.keyRepeat.speed, 31);
    EXPECT_FALSE(g.el.Gover.Visible);
    EXPECT_FALSE(g.el.GShotLbl.Visible);
    EXPECT_FALSE(g.el.PauseTL.Visible);
}

} // namespace
} // namespace kelvar
