// The autopilot: it plays whole levels without a loss, what it presses replays as a demo to the
// same game, and in a set-up field it shoots what it can hit and dodges what would hit it.
#include "headless/autopilot.hpp"

#include <gtest/gtest.h>

#include <sstream>

#include "core/playfield/playfield.hpp"
#include "support/test_game.hpp"

namespace kelvar {

using testing::Field;

// Past the first challenge stage and its bonus life, with every ship kept and no game over.
// The recording, written out and read back, replays headless to the same trace, tick by tick.
TEST(Autopilot, PlaysFourLevelsWithoutLosingAShipAndItsRecordingReplays) {
    Demo demo;
    demo.speed = "2";
    demo.seed = 4242;
    std::ostringstream played, replayed;
    const RunSummary s = runAutopilot(demo, 2000, &played);
    EXPECT_EQ(std::make_tuple(s.ended, s.ticks, s.iLossVar, demo.endTick),
              std::make_tuple("end", 2000, 4 + 1, 2000)); // the bonus ship of the challenge stage
    EXPECT_GE(s.iLevel, 4);
    EXPECT_GT(s.iScore, 0);
    std::istringstream file(formatDemo(demo));
    const RunSummary again = runDemo(std::get<Demo>(parseDemo(file)), &replayed);
    EXPECT_EQ(summaryJson(again), summaryJson(s));
    EXPECT_EQ(replayed.str(), played.str());
}

TEST(Autopilot, FiresAtAnEnemyInReachAndNotWhileItsMissileFlies) {
    Field f;
    Sprite& enemy = f.g.el.EmySpot[0];
    enemy.Left = f.g.el.PlrShip.Left;
    enemy.Top = 3000; // straight above, still, six climbs away
    EXPECT_TRUE(Autopilot::decide(f.g).fire);
    enemy.Left += 2000; // out of reach of this column
    EXPECT_FALSE(Autopilot::decide(f.g).fire);
    enemy.Left -= 2000;
    launchMissile(f.g);
    f.g.el.PMissl.Left += 2000; // flying elsewhere: no second missile
    EXPECT_FALSE(Autopilot::decide(f.g).fire);
}

// A bomb just above the ship: staying costs a ship; the autopilot's move does not.
TEST(Autopilot, StepsAsideFromABombThatWouldHitTheShip) {
    for (bool pilot : {false, true}) {
        Field f(1);
        f.g.el.Bomb[0].Left = f.g.el.PlrShip.Left;
        f.g.el.Bomb[0].Top = f.g.el.PlrShip.Top - 310;
        const Autopilot::Move move = Autopilot::decide(f.g).move;
        if (pilot) {
            ASSERT_NE(move, Autopilot::Move::Stay);
            Form_KeyDown(f.g, move == Autopilot::Move::Left ? key::Left : key::Right);
        }
        Timer1_Timer(f.g);
        EXPECT_EQ(f.g.st.iLossVar, pilot ? 4 : 3) << "staying must cost a ship; moving none";
    }
}

} // namespace kelvar
