#include <gtest/gtest.h>

#include <array>

#include "levelflow/levelflow.hpp"
#include "support/test_game.hpp"

namespace kelvar {
namespace {

// Read at program start, when DlyType and Verticl are still empty; every kind of file gives a
// speed and a placement.
TEST(LoadConfig, EveryKindOfOptionsFileGivesASpeedAndAPlacement) {
    const struct {
        std::optional<std::string> file; // nullopt: no options file
        int tdel;
        std::string dlyType, verticl;
        int centerOrNot;
    } cases[] = {
        {std::nullopt, 35, "", "0", 0},      {"", 35, "", "", 0},
        {"0\r\n", 30, "0", "0", 0},          {"2", 45, "2", "0", 0},
        {"2\r\n 1\r\n", 45, "2", " 1", 1},   {"1\r\n1\r\n", 40, "1", "1", 1},
        {"u\r\n0\r\n", 35, "u", "0", 0},     {"3\r\n0\r\n", 35, "3", "0", 0},
        {"2\r\nabc\r\n", 45, "2", "abc", 0}, {"2\r\n1.0e0 \r\n", 45, "2", "1.0e0 ", 1},
        {"1\r\n2\r\n", 40, "1", "2", 0},
    };
    for (const auto& c : cases) {
        testing::TestGame t;
        if (c.file) t.options.files[t.optionsPath()] = *c.file;
        LoadConfig(t.game);
        const std::string name = c.file ? "file \"" + *c.file + "\"" : "no file";
        EXPECT_EQ(t.game.st.TDel, c.tdel) << name;
        EXPECT_EQ(t.game.st.DlyType, c.dlyType) << name;
        EXPECT_EQ(t.game.st.Verticl, c.verticl) << name;
        EXPECT_EQ(t.shell.centerOrNot, c.centerOrNot) << name;
    }
}

// One demo is one game, so these span games: a score below an earlier top score leaves it, and
// a new game keeps only the top score.
TEST(TopScore, OutlivesTheGameAndFollowsTheScoreFromATie) {
    for (const auto [score, top, after, topAfter] :
         {std::array{100, 500, 150, 500}, std::array{450, 500, 500, 500},
          std::array{490, 500, 540, 540}}) {
        testing::TestGame t;
        t.start("1");
        Game& g = t.game;
        t.clearField();
        g.st.iLevel = 5;
        g.st.iScore = score;
        g.st.iTopScore = top;
        g.el.TopScoreLbl.Caption = "old";
        g.el.EmySpot[0] = g.el.PMissl = {500, 500, true, 7};
        missileHits(g);
        EXPECT_EQ(g.st.iScore, after);
        EXPECT_EQ(g.st.iTopScore, topAfter);
        EXPECT_EQ(g.el.TopScoreLbl.Caption, after >= top ? std::to_string(after) : "old");
        g.st.GameOver = true;
        createPlayField(g); // what the title screen does after a game over
        EXPECT_EQ(g.el.ScoreLbl.Caption + " " + g.el.TopScoreLbl.Caption,
                  "0 " + std::to_string(topAfter));
        EXPECT_EQ(g.st.iScore + g.st.iLevel, 0);
        EXPECT_FALSE(g.st.GameOver);
    }
}

} // namespace
} // namespace kelvar
