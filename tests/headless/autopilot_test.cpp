// The built-in player: it plays, and what it pressed replays as the same game.
#include "headless/autopilot.hpp"

#include <gtest/gtest.h>

#include <sstream>

#include "playfield/playfield.hpp"

namespace kelvar {
namespace {

// Over a thousand ticks it scores, and the recording it leaves, replayed, gives the same
// trace line for line and the same summary; keys go only before a tick, at point 0.
TEST(Autopilot, ScoresAndItsRecordingReplaysTheSameGame) {
    Demo demo;
    demo.speed = "U";
    demo.seed = 4242;
    std::ostringstream played, replayed;
    const RunSummary summary = runAutopilot(demo, 1000, &played);
    EXPECT_GT(summary.iScore, 0);
    EXPECT_EQ(demo.endTick, std::optional<int>(summary.ticks));
    ASSERT_FALSE(demo.keys.empty());
    for (const DemoKey& k : demo.keys) {
        EXPECT_EQ(k.point, 0);
        EXPECT_LE(k.tick, summary.ticks);
    }
    std::istringstream file(formatDemo(demo));
    const RunSummary again = runDemo(std::get<Demo>(parseDemo(file)), &replayed);
    EXPECT_EQ(summaryJson(again), summaryJson(summary));
    EXPECT_TRUE(played.str() == replayed.str());
}

// It fires at an enemy that a missile launched now would hit, and not into an empty sky.
TEST(Autopilot, FiresAtAnEnemyStraightAhead) {
    std::istringstream in("kelvar-raid demo 1\nspeed U\n");
    DemoRun run(std::get<Demo>(parseDemo(in)));
    ASSERT_TRUE(run.step());
    Game g = run.game();
    for (auto& e : g.el.EmySpot) e.Top = -20000;
    for (auto& b : g.el.Bomb) b.Top = -20000;
    g.st.iLevel = 1;
    EXPECT_FALSE(Autopilot::decide(g).fire);
    g.el.EmySpot[0].Left = g.el.PlrShip.Left;
    g.el.EmySpot[0].Top = g.el.PlrShip.Top - 1500;
    EXPECT_TRUE(Autopilot::decide(g).fire);
}

} // namespace
} // namespace kelvar
