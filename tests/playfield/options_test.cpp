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
    {"slower", "1\r\n1\r\n", 40, "1", "1", 1},
    {"lower_case_code", "u\r\n0\r\n", 35, "u", "0", 0},
    {"unknown_code", "3\r\n0\r\n", 35, "3", "0", 0},
    {"not_a_number", "2\r\nabc\r\n", 45, "2", "abc", 0},
    {"two", "1\r\n2\r\n", 40, "1", "2", 0},
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const OptionsCase& c, std::ostream* os) {
    *os << c.name;
}

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
    EXPECT_EQ(g.st.iScore, 0);
    EXPECT_EQ(g.st.iLevel, 0);
    EXPECT_EQ(g.st.iLossVar, 4);
    EXPECT_FALSE(g.st.GameOver);
}

} // namespace
} // namespace kelvar
