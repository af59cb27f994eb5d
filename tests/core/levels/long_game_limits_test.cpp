// A game long enough to pass level 32767 cannot be played in a test; these put the counters next
// to their limits and check that they stop there instead of wrapping to negative values (the
// score's limit is with the top score's tests).
#include <gtest/gtest.h>

#include "core/levelflow/levelflow.hpp"
#include "core/levels/levels.hpp"
#include "support/test_game.hpp"

namespace kelvar {

// The level and its falling steps. iDDk = level + c(k), with c(2) = 88 the largest from level
// 15 on: 32679 + 88 is the last step that fits.
TEST(LongGameLimits, TheLevelAndItsStepsStopAtTheirLimits) {
    testing::TestGame t{"U"};
    Game& g = t.game;
    for (const std::int16_t from : {32766, 32767, 32767}) {
        g.st.iLevel = from;
        g.st.iEnmyLeft = 0;
        levelEnd(g); // a wrap would set up level 0's 30 enemies
        EXPECT_EQ(std::tie(g.el.LevelLbl.Caption, g.st.iEnmyTl), std::make_tuple("32767", 110));
    }
    for (const auto& [level, iDD2, iDD7] : {std::tuple{1000, 1088, 1025},
                                            {32679, 32767, 32704},
                                            {32680, 32767, 32705},
                                            {32767, 32767, 32767}}) {
        g.st.iLevel = static_cast<std::int16_t>(level);
        PrepNewLevel(g);
        EXPECT_EQ(std::tie(g.st.iDD[1], g.st.iDD[6]), std::tie(iDD2, iDD7)) << level;
    }
}

} // namespace kelvar
