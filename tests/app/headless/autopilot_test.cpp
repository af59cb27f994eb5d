#include <gtest/gtest.h>

#include <array>
#include <fstream>
#include <iterator>

#include "app/headless/autopilot.hpp"
#include "support/test_game.hpp"
#include "support/trace_reader.hpp"

namespace kelvar {
namespace {

using testing::Json;

// Enemies to destroy in levels 0 to 8.
constexpr std::array<int, 9> kQuota{30, 40, 46, 10, 54, 64, 72, 10, 80};

TEST(AutopilotDemo, ClearsLevelsZeroToEightAndReplaysExactly) {
    const testing::DemoRun& first = testing::levelsDemo();
    std::ifstream file(std::string(KELVAR_TEST_DATA_DIR) + "/levels_0_to_8.demo", std::ios::binary);
    const testing::DemoRun second =
        testing::playDemo(std::string(std::istreambuf_iterator<char>(file), {}));
    EXPECT_EQ(first.lines, second.lines) << "two replays of one demo differ";
    EXPECT_EQ(summaryJson(first.summary), summaryJson(second.summary));

    const RunSummary& s = first.summary;
    EXPECT_EQ(s.ended, "end");
    ASSERT_EQ(first.ticks.size(), static_cast<std::size_t>(s.ticks));
    EXPECT_EQ(s.iLevel, 9); // level 8 is cleared in the last tick
    // Four ships, none lost, and the extra life of both challenge stages.
    EXPECT_EQ(s.iLossVar, 6);
    EXPECT_EQ(s.iTopScore, s.iScore);

    // Walk the trace: levels one after another, no blow taken, and where each POWbomb went.
    std::array<int, kQuota.size()> powHits{};
    int level = 0, lives = 4;
    bool powFlying = false;
    int leftBefore = kQuota[0];
    for (const Json& t : first.ticks) {
        const int now = static_cast<int>(t["iLevel"].i());
        ASSERT_TRUE(now == level || now == level + 1) << "at tick " << t["tick"].i();
        ASSERT_FALSE(t["game_over"].b());
        EXPECT_GE(t["iLossVar"].i(), lives) << "a ship was lost at tick " << t["tick"].i();
        EXPECT_EQ(t["LifeBar"].i(), 1216) << "the planet was struck at tick " << t["tick"].i();
        const Json& power = t["Power"];
        if (powFlying && power[0].f() == -600 && power[1].f() == -2500) {
            EXPECT_GE(leftBefore, 10); // the blast counts ten off; the score assumes ten were there
            ++powHits[static_cast<std::size_t>(level)];
        }
        powFlying = t["SendIt"].b();
        lives = static_cast<int>(t["iLossVar"].i());
        leftBefore = static_cast<int>(t["iEnmyLeft"].i());
        level = now;
    }
    // Every enemy not blasted by a POWbomb was shot, for 10 x level points each.
    long expected = 0;
    for (std::size_t l = 0; l < kQuota.size(); ++l) {
        EXPECT_LE(powHits[l], 1) << "level " << l;
        expected += 10L * static_cast<long>(l) * (kQuota[l] - 10 * powHits[l]);
    }
    EXPECT_EQ(s.iScore, expected);
    EXPECT_GT(s.iScore, 0);
}

// Decisions on a field set up by hand: the ship at its level start (2160, 5800), every
// enemy and bomb far above unless placed.
TEST(AutopilotDecision, FiresOnlyWhenTheMissileWillHitAndNotThroughABomb) {
    testing::TestGame t;
    t.start();
    t.clearField();
    t.game.st.iGG.fill(0); // enemies that hang still
    t.game.st.iDD.fill(0);
    t.game.st.iLevel = 4;
    t.game.el.EmySpot[0] = {2160 + 250, 3000, true, 5}; // inside the hit box's 280
    EXPECT_TRUE(Autopilot::decide(t.game).fire);
    t.game.el.Bomb[0] = {2160, 4500, true, 11}; // falls 43 a tick into the missile's way
    EXPECT_FALSE(Autopilot::decide(t.game).fire);
    t.game.st.iLevel = 2; // below level 4 a missile flies through bombs
    EXPECT_TRUE(Autopilot::decide(t.game).fire);

    t.clearField();
    t.game.el.EmySpot[0] = {2160 + 300, 3000, true, 5}; // just outside: one step right lines it up
    const auto d = Autopilot::decide(t.game);
    EXPECT_FALSE(d.fire);
    EXPECT_EQ(d.move, Autopilot::Move::Right);
}

} // namespace
} // namespace kelvar
