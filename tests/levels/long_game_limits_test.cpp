// A game long enough to pass level 32767 cannot be played in a test; these put the counters next
// to their limits and check that they stop there instead of wrapping to negative values.
#include <gtest/gtest.h>

#include <array>

#include "levelflow/levelflow.hpp"
#include "levels/levels.hpp"
#include "support/test_game.hpp"

namespace kelvar {
namespace {

TEST(LongGameLimits, LevelStopsAtItsLimitAndTheNextLevelIsStillALateLevel) {
    testing::TestGame t;
    t.start();
    Game& g = t.game;
    for (const std::int16_t from : {32766, 32767, 32767}) {
        g.st.iLevel = from;
        g.st.iEnmyLeft = 0;
        levelEnd(g);
        EXPECT_EQ(g.el.LevelLbl.Caption, "32767") << "from " << from;
        EXPECT_EQ(g.st.iEnmyTl, 110) << "a wrap would have set up level 0's 30";
    }
}

// iDDk = level + c(k), with c(2) = 88 the largest from level 15 on: 32679 + 88 is the last
// step that fits.
TEST(LongGameLimits, FallingStepsStopAtTheLimit) {
    for (const auto [level, iDD2, iDD7] :
         {std::array{1000, 1088, 1025}, std::array{32679, 32767, 32704},
          std::array{32680, 32767, 32705}, std::array{32767, 32767, 32767}}) {
        testing::TestGame t;
        t.start();
        t.game.st.iLevel = static_cast<std::int16_t>(level);
        PrepNewLevel(t.game);
        EXPECT_EQ((std::array<int, 2>{t.game.st.iDD[1], t.game.st.iDD[6]}),
                  (std::array{iDD2, iDD7}))
            << level;
    }
}

// One hit at level 32767 scores 327670.
TEST(LongGameLimits, ScoreStopsAtItsLimit) {
    constexpr std::int32_t kMax = 2147483647;
    for (const auto [before, after] :
         {std::array{1'000'000, 1'327'670}, std::array{kMax - 327670, kMax},
          std::array{kMax - 5, kMax}, std::array{kMax, kMax}}) {
        testing::TestGame t;
        t.start();
        Game& g = t.game;
        t.clearField();
        g.st.iLevel = 32767;
        g.st.iScore = g.st.iTopScore = before;
        g.el.EmySpot[0] = g.el.PMissl = {2000, 3000, true, 7};
        missileHits(g);
        EXPECT_EQ(g.st.iTopScore, after) << before;
        EXPECT_EQ(g.el.ScoreLbl.Caption, std::to_string(after));
    }
}

} // namespace
} // namespace kelvar
