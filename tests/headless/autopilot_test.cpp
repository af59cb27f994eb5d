// The autopilot: it plays whole levels without a loss, what it presses replays as a demo to the
// same game, and in a set-up field it shoots what it can hit and dodges what would hit it.
#include "headless/autopilot.hpp"

#include <gtest/gtest.h>

#include <sstream>

#include "core/playfield/playfield.hpp"
#include "support/test_game.hpp"

namespace kelvar {
namespace {

Demo autopilotDemo(const std::string& speed, std::uint32_t seed) {
    Demo demo;
    demo.speed = speed;
    demo.seed = seed;
    return demo;
}

// Past the first challenge stage and its bonus life, with every ship kept and no game over.
TEST(Autopilot, PlaysFourLevelsWithoutLosingAShip) {
    Demo demo = autopilotDemo("2", 4242);
    const RunSummary s = runAutopilot(demo, 2000);
    EXPECT_EQ(s.ended, "end");
    EXPECT_EQ(s.ticks, 2000);
    EXPECT_GE(s.iLevel, 4);
    EXPECT_EQ(s.iLossVar, 4 + 1); // the bonus ship after the challenge stage
    EXPECT_GT(s.iScore, 0);
}

// The recording, written out and read back, replays headless to the same trace, tick by tick.
TEST(Autopilot, ItsRecordingReplaysToTheSameGame) {
    Demo demo = autopilotDemo("0", 77);
    std::ostringstream played, replayed;
    const RunSummary s = runAutopilot(demo, 800, &played);
    ASSERT_FALSE(demo.keys.empty());
    EXPECT_EQ(demo.endTick, s.ticks);

    std::istringstream file(formatDemo(demo));
    auto parsed = parseDemo(file);
    ASSERT_TRUE(std::holds_alternative<Demo>(parsed));
    const RunSummary again = runDemo(std::get<Demo>(parsed), &replayed);
    EXPECT_EQ(summaryJson(again), summaryJson(s));
    EXPECT_EQ(replayed.str(), played.str());
}

// A field with nothing in play but what a case places.
struct Field {
    Field() {
        t.clearField();
        for (std::size_t k = 0; k < kEnemies; ++k) g.st.iGG[k] = g.st.iDD[k] = 0;
    }
    testing::TestGame t{"U"};
    Game& g = t.game;
};

TEST(Autopilot, FiresAtAnEnemyInReachAndNotWhileItsMissileFlies) {
    Field f;
    f.g.el.EmySpot[0].Left = f.g.el.PlrShip.Left;
    f.g.el.EmySpot[0].Top = 3000; // straight above, still, six climbs away
    EXPECT_TRUE(Autopilot::decide(f.g).fire);

    f.g.el.EmySpot[0].Left = f.g.el.PlrShip.Left + 2000; // out of reach of this column
    f.g.el.EmySpot[0].Top = 3000;
    EXPECT_FALSE(Autopilot::decide(f.g).fire);

    f.g.el.EmySpot[0].Left = f.g.el.PlrShip.Left;
    launchMissile(f.g);
    f.g.el.PMissl.Left += 2000; // flying elsewhere: no second missile
    EXPECT_FALSE(Autopilot::decide(f.g).fire);
}

// A bomb just above the ship: staying costs a ship; the autopilot's move does not.
TEST(Autopilot, StepsAsideFromABombThatWouldHitTheShip) {
    auto bombOverhead = [] {
        auto f = std::make_unique<Field>();
        f->g.st.iLevel = 1;
        f->g.el.Bomb[0].Left = f->g.el.PlrShip.Left;
        f->g.el.Bomb[0].Top = f->g.el.PlrShip.Top - 310;
        return f;
    };
    auto stay = bombOverhead();
    Timer1_Timer(stay->g);
    ASSERT_EQ(stay->g.st.iLossVar, 3) << "the case must threaten the ship";

    auto pilot = bombOverhead();
    const Autopilot::Decision d = Autopilot::decide(pilot->g);
    ASSERT_NE(d.move, Autopilot::Move::Stay);
    Form_KeyDown(pilot->g, d.move == Autopilot::Move::Left ? key::Left : key::Right);
    Timer1_Timer(pilot->g);
    EXPECT_EQ(pilot->g.st.iLossVar, 4);
}

} // namespace
} // namespace kelvar
