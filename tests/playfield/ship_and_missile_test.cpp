#include <gtest/gtest.h>

#include "support/test_game.hpp"
#include "support/trace_reader.hpp"

namespace kelvar {
namespace {

using testing::demoText;
using testing::playDemo;

TEST(ShipStep, WrapsOnlyPastItsThresholds) {
    const struct {
        float from;
        int key;
        float to;
    } cases[] = {
        {165, key::Left, -120},                          // -120 is not below -180: stays
        {-120, key::Left, 4385},                         // -405: wraps
        {105, key::Left, -180},                          // exactly -180 stays
        {2160, key::Left, 1875},  {4155, key::Right, 0}, // 4440: wraps
        {4115, key::Right, 4400},                        // exactly 4400 stays
        {4400, key::Right, 0},    {-180, key::Right, 105},
    };
    for (const auto& c : cases) {
        testing::TestGame t;
        t.start();
        t.game.el.PlrShip.Left = c.from;
        Form_KeyDown(t.game, c.key);
        shipStep(t.game);
        EXPECT_EQ(t.game.el.PlrShip.Left, c.to) << c.from;
        EXPECT_EQ(t.game.st.Motion, 0);
    }
}

TEST(ShipStep, OneStepPerTickHoweverManyPresses) {
    auto run = playDemo(demoText("1 0 key 37\n1 0 key 37\n1 0 key 37\n"
                                 "2 0 key 39\n2 0 key 37\n" // the later request counts
                                 "4 0 key 39\n4 0 key 39\n5 end\n"));
    ASSERT_EQ(run.ticks.size(), 5u);
    const float lefts[] = {1875, 1590, 1590, 1875, 1875};
    for (int n = 1; n <= 5; ++n) {
        EXPECT_EQ(run.tick(n)["PlrShip"][0].f(), lefts[n - 1]) << n;
        EXPECT_EQ(run.tick(n)["PlrShip"][1].f(), 5800 - n) << n; // one twip of rise a tick
        EXPECT_EQ(run.tick(n)["Motion"].i(), 0);
    }
}

TEST(Missile, FliesSeventeenStepsAndIsGone) {
    auto run = playDemo(demoText("1 0 key 32\n18 end\n"));
    ASSERT_EQ(run.ticks.size(), 18u);
    EXPECT_EQ(run.tick(1)["sounds"].items.size(), 1u);
    EXPECT_EQ(run.tick(1)["sounds"][0].i(), 16);
    for (int n = 1; n <= 16; ++n) {
        const auto& m = run.tick(n)["PMissl"];
        EXPECT_EQ(m[1].f(), 5650 - 375.0f * n) << n;
        EXPECT_EQ(m[0].f(), 2160);
        EXPECT_TRUE(m[2].b());
        EXPECT_TRUE(run.tick(n)["Rocket"].b());
    }
    for (int n : {17, 18}) { // 5650 - 17 * 375 = -725 is above -550: gone
        EXPECT_EQ(run.tick(n)["PMissl"][1].f(), -9999) << n;
        EXPECT_FALSE(run.tick(n)["PMissl"][2].b());
        EXPECT_FALSE(run.tick(n)["Rocket"].b());
    }
    EXPECT_EQ(run.tick(18)["iEnmyLeft"].i(), 30); // it hit nothing on the way
}

TEST(Missile, NoLaunchWhileFlyingPausedOrWithoutAPlanet) {
    for (int c : {0, 1, 2}) { // flying, paused, no planet
        testing::TestGame t;
        t.start();
        Game& g = t.game;
        if (c == 0) Form_KeyDown(g, key::Space), g.el.PMissl.Top = 1000, t.clock.advance(1000);
        if (c == 1) Form_KeyDown(g, key::Pause);
        if (c == 2) g.el.LifeBar.Width = 0;
        t.sound.started().clear();
        Form_KeyDown(g, key::Space);
        EXPECT_TRUE(t.sound.started().empty()) << c;
        EXPECT_EQ(g.st.Rocket, c == 0) << c;
        if (c == 0) {
            EXPECT_EQ(g.el.PMissl.Top, 1000);
        }
    }
}

TEST(Pause, TogglesTheTimerButNotWithoutAPlanet) {
    testing::TestGame t;
    t.start("1");
    Game& g = t.game;
    Form_KeyDown(g, key::Pause);
    EXPECT_EQ(g.el.Timer1.Interval, 0);
    EXPECT_TRUE(g.el.PauseTL.Visible);
    Form_KeyDown(g, key::Pause);
    EXPECT_EQ(g.el.Timer1.Interval, 40);
    EXPECT_FALSE(g.el.PauseTL.Visible);
    g.el.LifeBar.Width = 0;
    Form_KeyDown(g, key::Pause);
    EXPECT_EQ(g.el.Timer1.Interval, 40);
}

TEST(Joystick, OverridesAKeyOfTheSameTick) {
    auto run = playDemo(demoText("joystick 0 0\n5 0 key 39\n5 joy -300 0 0\n6 joy 0 0 0\n"
                                 "7 0 key 39\n7 joy 1 0 0\n8 joy 0 0 0\n8 0 key 37\n9 end\n"));
    ASSERT_EQ(run.ticks.size(), 9u);
    EXPECT_EQ(run.tick(4)["PlrShip"][0].f(), 2160);
    EXPECT_EQ(run.tick(5)["PlrShip"][0].f(), 1875); // the stick's left beats the key's right
    EXPECT_EQ(run.tick(6)["PlrShip"][0].f(), 1875); // centre: no request
    EXPECT_EQ(run.tick(7)["PlrShip"][0].f(), 2160); // one unit right of centre counts
    EXPECT_EQ(run.tick(8)["PlrShip"][0].f(), 1875); // centre leaves the key's request
}

TEST(Joystick, ButtonsOneToSevenLaunchBeforeTheFlightAndTheShipStep) {
    for (std::uint32_t mask : {1u, 64u, 128u, 0x8000u}) {
        const bool fires = mask < 128;
        auto run = playDemo(demoText("joystick 0 0\n3 0 key 37\n3 joy 0 0 " + std::to_string(mask) +
                                     "\n4 joy 0 0 0\n4 end\n"));
        ASSERT_EQ(run.ticks.size(), 4u);
        const auto& t3 = run.tick(3);
        EXPECT_EQ(t3["Rocket"].b(), fires) << mask;
        EXPECT_EQ(t3["PlrShip"][0].f(), 1875);
        if (!fires) continue;
        // From the ship as tick 2 left it (Top 5798, Left 2160), then one flight step.
        EXPECT_EQ(t3["PMissl"][0].f(), 2160);
        EXPECT_EQ(t3["PMissl"][1].f(), 5798 - 150 - 375);
        EXPECT_EQ(t3["sounds"].items.size(), 1u);
        EXPECT_GE(t3["pumps"].i(), 1); // the launch sound lets events through inside the tick
    }
}

} // namespace
} // namespace kelvar
