#include <gtest/gtest.h>

#include <limits>

#include "core/levels/levels.hpp"
#include "support/test_game.hpp"
#include "tests/soak/soak_player.hpp"

namespace kelvar {

// Each row breaks one rule in an otherwise sound game (before the second check, so that the
// rules across ticks are seen too) and names a piece of the report; an empty piece: it passes.
TEST(SoakInvariants, EachBrokenRuleIsReportedAndLateLevelsPass) {
    const std::pair<void (*)(Game&), const char*> cases[] = {
        {[](Game& g) { g.st.iEnmyLeft = -1; }, "iEnmyLeft below 0"},
        {[](Game& g) { g.el.LifeBar.Width = -184; }, "LifeBar width"},
        {[](Game& g) { g.st.iLevel = -32768; }, "iLevel below 0"},
        {[](Game& g) { g.st.iDD[3] = -32700; }, "iDD[4]"},
        {[](Game& g) { g.st.iGG[0] = 12; }, "iGG"},
        {[](Game& g) { g.el.Bomb[2].Top = std::numeric_limits<float>::infinity(); },
         "place not finite"},
        {[](Game& g) { g.el.Star[7].Top = std::numeric_limits<float>::quiet_NaN(); }, "Star Top"},
        {[](Game& g) { g.st.iLossVar = -1; }, "iLossVar below 0"},
        {[](Game& g) { g.st.PToggle = 2; }, "PToggle"},
        {[](Game& g) { g.st.TDel = 40; }, "TDel"},
        {[](Game& g) { g.st.iLevel = 2; }, "iLevel moved by more than one"},
        {[](Game& g) { g.st.iScore -= 10; }, "score went down"},
        {[](Game& g) { g.st.iEnmyLeft += 1; }, "iEnmyLeft rose"},
        {[](Game& g) { g.st.iLevel = 32767, PrepNewLevel(g); }, ""},
    };
    for (const auto& [spoil, reported] : cases) {
        testing::TestGame t{"U"};
        t.game.st.iEnmyLeft = 20;
        t.game.st.iScore = t.game.st.iTopScore = 500;
        GameWatch watch;
        ASSERT_EQ(checkAfterTick(t.game, "U", watch), "") << reported;
        if (!*reported) watch = {}; // a late level is a fresh start
        spoil(t.game);
        const std::string report = checkAfterTick(t.game, "U", watch);
        EXPECT_TRUE(*reported ? report.find(reported) != std::string::npos : report.empty())
            << reported << ": " << report;
    }
}

} // namespace kelvar
