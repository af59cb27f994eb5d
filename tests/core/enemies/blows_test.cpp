// Blows the committed demos never take: bombs on the ship or the missile, two blows in one tick,
// the planet struck out, a blow in a challenge stage.
#include <gtest/gtest.h>

#include "core/enemies/enemies.hpp"
#include "core/levelflow/levelflow.hpp"
#include "core/levels/levels.hpp"
#include "support/test_game.hpp"

namespace kelvar {
namespace {

// A game in the given level, everything parked far above the field, the ship at (2000, 5000).
struct Field {
    testing::TestGame t{"U"};
    Game& g = t.game;
    explicit Field(int level) {
        t.clearField();
        g.st.iLevel = static_cast<std::int16_t>(level);
        g.el.PlrShip.Left = 2000;
        g.el.PlrShip.Top = 5000;
    }
};

// The ship's box reaches 200 left, 250 right, 300 up and 270 down; level 4 bombs fall 43
// (Bomb1) and stop a missile they touch; in level 0 they hit nothing.
TEST(Bombs, HitTheShipInsideItsOffCentreBoxAndStopTheMissileFromLevelFour) {
    const std::tuple<int, float, float, bool> cases[] = {
        {4, 1800, 5000, false}, {4, 1801, 5000, true},  {4, 2249, 5000, true},
        {4, 2250, 5000, false}, {4, 2000, 4700, false}, {4, 2000, 4701, true},
        {4, 2000, 5269, true},  {4, 2000, 5270, false}, {0, 2000, 5000, false},
    };
    for (const auto& [level, left, top, hitsShip] : cases) {
        Field f(level);
        f.g.el.Bomb[0] = {left, top - (level == 4 ? 43 : 0), true, 11};
        bombStep(f.g);
        EXPECT_EQ(f.g.st.iLossVar, hitsShip ? 3 : 4) << left << "," << top;
        EXPECT_EQ(f.g.el.Bomb[0].Top, hitsShip ? -2000 : top) << left << "," << top;
    }
    for (int level : {3, 4}) { // standing still in level 3
        Field f(level);
        f.g.el.PMissl = {3000, 3000, true, 100};
        f.g.st.Rocket = true;
        f.g.el.Bomb[3] = {3000, 3000, true, 11};
        bombStep(f.g);
        EXPECT_EQ(f.g.st.Rocket, level == 3);
        EXPECT_EQ(f.g.el.PMissl.Top, level == 3 ? 3000 : -9999);
        EXPECT_NE(f.g.el.Bomb[3].Top, -2000); // the bomb goes on
    }
}

// Two rams in one tick: two blows, the lower number first; a game lost by the first still
// takes the second and its label stays "0".
TEST(EnemyStep, TwoRamsInOneTickAreTwoLossesLowerNumberFirst) {
    for (std::int16_t lives : {4, 1}) {
        Field rams(1);
        rams.g.st.iLossVar = lives;
        rams.g.st.iGG = rams.g.st.iDD = {};
        rams.g.el.EmySpot[6] = {2100, 5100, true, 6};
        rams.g.el.EmySpot[2] = {1900, 4900, true, 6};
        std::pair<int, int> pictures; // of both at the first blow's first event point
        rams.t.events.onCall = [&](int n) {
            if (n == 1) pictures = {rams.g.el.EmySpot[2].Picture, rams.g.el.EmySpot[6].Picture};
        };
        EXPECT_EQ(rams.t.timed([&] { enemyStep(rams.g); }), 1400u);
        EXPECT_EQ(pictures, std::pair(3, 6));
        EXPECT_EQ(rams.g.st.iLossVar, lives - 2);
        EXPECT_EQ(rams.g.st.GameOver, lives <= 2);
        EXPECT_EQ(rams.g.el.LossesLbl.Caption, lives == 4 ? "2" : "0");
    }
}

TEST(ELands, SixPlanetStrikesEndTheGameButABlowInAChallengeStageCostsNoShip) {
    Field f(1);
    for (std::int32_t width : {1016, 816, 616, 416, 216, 0}) { // 16 is below 20: none left
        EXPECT_EQ(f.t.timed([&] { ELands(f.g, f.g.el.EmySpot[4], 1); }), 360u);
        EXPECT_EQ(f.g.el.LifeBar.Width, width);
        EXPECT_EQ(f.g.el.LossesLbl.Caption + (f.g.st.GameOver ? " over" : ""),
                  width ? "4" : "0 over");
    }
    EXPECT_EQ(f.g.st.iLossVar, 4);
    // A blow in a challenge stage ends it at no cost once the level flow has run; a boss that
    // lands in a tick takes the game straight to the next level, even with the last ship.
    for (int level : {3, 7}) {
        for (int lossType : {1, 2, 13}) {
            Field c(level);
            c.g.st.iEnmyLeft = 6;
            EXPECT_EQ(c.t.timed([&] { ELands(c.g, c.g.el.EmySpot[0], lossType); }), 360u + 75);
            EXPECT_EQ(c.g.el.LifeBar.Width, 1216);
            EXPECT_EQ((std::pair<int, int>(c.g.st.iEnmyLeft, c.g.st.iLossVar)), (std::pair{0, 3}));
            EXPECT_FALSE(c.g.st.GameOver);
            levelEnd(c.g);
            EXPECT_EQ(c.g.st.iLevel, level + 1);
            EXPECT_EQ(c.g.st.iLossVar, 4) << level << " " << lossType;
        }
    }
    Field boss(3);
    PrepNewLevel(boss.g);
    for (auto& e : boss.g.el.EmySpot) e.Top = 6660; // 48 more is past the planet line
    boss.g.st.iLossVar = 1;
    Timer1_Timer(boss.g);
    EXPECT_EQ(boss.g.st.iLevel, 4);
    EXPECT_EQ(boss.g.st.iLossVar, 1); // 1 - 1 for the blow + 1 on reaching level 4
    EXPECT_FALSE(boss.g.st.GameOver);
}

} // namespace
} // namespace kelvar
