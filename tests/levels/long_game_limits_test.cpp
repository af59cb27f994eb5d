// A game long enough to pass level 32767 cannot be played in a test; these put the counters next
// to their limits and check that they stop there instead of wrapping to negative values.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "levelflow/levelflow.hpp"
#include "levels/levels.hpp"
#include "support/test_game.hpp"

namespace kelvar {
namespace {

constexpr std::int16_t kMax16 = std::numeric_limits<std::int16_t>::max();
constexpr std::int32_t kMax32 = std::numeric_limits<std::int32_t>::max();

TEST(LongGameLimits, LevelStopsAtItsLimitAndTheNextLevelIsStillALateLevel) {
    testing::TestGame t;
    t.start();
    Game& g = t.game;
    for (const std::int16_t from : {std::int16_t{32766}, kMax16, kMax16}) {
        g.st.iLevel = from;
        g.st.iEnmyLeft = 0;
        levelEnd(g);
        EXPECT_EQ(g.st.iLevel, kMax16) << "from " << from;
        EXPECT_EQ(g.el.LevelLbl.Caption, "32767");
        EXPECT_EQ(g.st.iEnmyTl, 110) << "a wrap would have set up level 0's 30";
        EXPECT_EQ(g.el.Timer1.Interval, g.st.TDel);
    }
}

// iDDk = level + c(k), with c(2) = 88 the largest from level 15 on: 32679 + 88 is the last
// step that fits.
TEST(LongGameLimits, FallingStepsStopAtTheLimit) {
    struct Case {
        std::int16_t level;
        std::int16_t iDD2, iDD7; // c(2) = 88, c(7) = 25
    };
    for (const Case c : {Case{1000, 1088, 1025}, Case{32679, 32767, 32704},
                         Case{32680, 32767, 32705}, Case{kMax16, 32767, 32767}}) {
        testing::TestGame t;
        t.start();
        t.game.st.iLevel = c.level;
        PrepNewLevel(t.game);
        EXPECT_EQ(t.game.st.iDD[1], c.iDD2) << c.level;
        EXPECT_EQ(t.game.st.iDD[6], c.iDD7) << c.level;
        for (std::int16_t dd : t.game.st.iDD) EXPECT_GT(dd, 0) << c.level;
    }
}

TEST(LongGameLimits, ScoreStopsAtItsLimit) {
    struct Case {
        std::int32_t before;
        std::int32_t after; // one hit at level 32767: + 327670
    };
    for (const Case c : {Case{1'000'000, 1'327'670}, Case{kMax32 - 327670, kMax32},
                         Case{kMax32 - 5, kMax32}, Case{kMax32, kMax32}}) {
        testing::TestGame t;
        t.start();
        Game& g = t.game;
        g.st.iLevel = kMax16;
        g.st.iScore = c.before;
        g.st.iTopScore = c.before;
        t.clearField();
        g.el.EmySpot[0].Left = 2000;
        g.el.EmySpot[0].Top = 3000;
        g.el.PMissl.Left = 2000;
        g.el.PMissl.Top = 3000;
        missileHits(g);
        EXPECT_EQ(g.st.iScore, c.after) << c.before;
        EXPECT_EQ(g.st.iTopScore, c.after) << c.before;
        EXPECT_EQ(g.el.ScoreLbl.Caption, std::to_string(c.after));
    }
}

} // namespace
} // namespace kelvar
