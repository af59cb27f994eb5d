#include <gtest/gtest.h>

#include "levelflow/levelflow.hpp"
#include "support/test_game.hpp"

namespace kelvar {
namespace {

struct Level {
    testing::TestGame t;
    Game& g = t.game;
    Level() {
        t.start(); // level 0: 30 enemies
        t.clearField();
    }
};

TEST(PowBomb, EmergesWhenTheCountIsExactlyHalfTheTotal) {
    const struct {
        std::int16_t total, left;
        bool cameBefore, emerges;
    } cases[] = {
        {30, 16, false, false}, {30, 15, false, true},  {30, 14, false, false},
        {30, 15, true, false},  {31, 15, false, false}, {31, 16, false, false},
        {10, 5, false, true},
    };
    for (const auto& c : cases) {
        Level l;
        l.g.st.iEnmyTl = c.total;
        l.g.st.iEnmyLeft = c.left;
        l.g.st.PowerCame = c.cameBefore;
        powerEmergence(l.g);
        EXPECT_EQ(l.g.st.SendIt, c.emerges) << c.total << "/" << c.left;
        EXPECT_EQ(l.g.el.Power.Visible, c.emerges);
        if (c.emerges) {
            EXPECT_EQ(l.g.el.Power.Left, -100);
            EXPECT_EQ(l.g.el.Power.Top, 2000);
            EXPECT_TRUE(l.g.st.PowerCame);
        }
    }
}

TEST(PowBomb, EscapesAfter157TicksAndNeverComesBack) {
    Level l;
    l.g.st.iEnmyLeft = 15;
    powerEmergence(l.g);
    for (int n = 1; n <= 156; ++n) powerFlight(l.g);
    EXPECT_EQ(l.g.el.Power.Left, 3800); // the 157th step takes it to 3825, -355
    EXPECT_EQ(l.g.el.Power.Top, -340);
    EXPECT_TRUE(l.g.st.SendIt);
    powerFlight(l.g);
    EXPECT_FALSE(l.g.st.SendIt);
    EXPECT_FALSE(l.g.el.Power.Visible);
    powerEmergence(l.g); // the count still at half: once per level
    EXPECT_FALSE(l.g.st.SendIt);
}

TEST(PowBomb, AHitBlastsTheFormationAndBoostsAWeakPlanet) {
    const struct {
        std::int16_t left, leftAfter;
        std::int32_t meter, meterAfter;
    } cases[] = {
        {25, 15, 1016, 1216},
        {7, 0, 1216, 1216},
        {12, 2, 1019, 1219},
        {20, 10, 1020, 1020},
    };
    for (const auto& c : cases) {
        Level l;
        l.g.st.iLevel = 2;
        l.g.st.iScore = 70;
        l.g.st.iEnmyLeft = c.left;
        l.g.el.LifeBar.Width = c.meter;
        l.g.st.SendIt = l.g.st.PowerCame = true;
        l.g.el.Power = {1500, 1500, true, 101};
        l.g.el.PMissl = {1779, 1221, true, 100};
        l.g.st.Rocket = true;
        EXPECT_EQ(l.t.timed([&] { powerHit(l.g); }), 2 * (50 + 40) + 75u);
        EXPECT_EQ(l.t.sound.started(), (std::vector<int>{20}));
        EXPECT_EQ(l.g.st.iEnmyLeft, c.leftAfter);
        EXPECT_EQ(l.g.el.LifeBar.Width, c.meterAfter) << c.meter;
        EXPECT_EQ(l.g.st.iScore, 70);
        EXPECT_FALSE(l.g.st.SendIt);
        EXPECT_EQ(l.g.el.Power.Left, -600);
        EXPECT_FALSE(l.g.st.Rocket);
        for (const auto& e : l.g.el.EmySpot) EXPECT_EQ(e.Top, -1200);
    }
}

TEST(PowBomb, MissesAtExactly280Twips) {
    for (auto [dl, dt] :
         {std::pair{280.0f, 0.0f}, std::pair{0.0f, -280.0f}, std::pair{-280.0f, 100.0f}}) {
        Level l;
        l.g.el.Power = {1500, 1500, true, 101};
        l.g.el.PMissl = {1500 + dl, 1500 + dt, true, 100};
        l.g.st.Rocket = true;
        powerHit(l.g);
        EXPECT_TRUE(l.g.st.Rocket) << dl << "," << dt;
        EXPECT_EQ(l.g.st.iEnmyLeft, 30);
    }
}

TEST(PowBomb, ABlastDownToNothingEndsTheLevelInTheSameTick) {
    Level l;
    l.g.st.iEnmyLeft = 7;
    l.g.st.SendIt = l.g.st.PowerCame = true;
    l.g.el.Power = {1500, 1500, true, 101};
    l.g.el.PMissl = {1500, 1500 + 375, true, 100};
    l.g.st.Rocket = true;
    Timer1_Timer(l.g);
    EXPECT_EQ(l.g.st.iLevel, 1);
    EXPECT_EQ(l.g.st.iEnmyLeft, 40);
}

} // namespace
} // namespace kelvar
