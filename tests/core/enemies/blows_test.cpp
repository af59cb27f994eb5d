// Blows the committed demos never take: bombs on the ship or the missile, two blows in one tick,
// the planet struck out, a blow in a challenge stage.
#include <gtest/gtest.h>

#include "core/enemies/enemies.hpp"
#include "core/levelflow/levelflow.hpp"
#include "core/levels/levels.hpp"
#include "support/test_game.hpp"

namespace kelvar {

using testing::Field;

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
        EXPECT_EQ(std::tuple(f.g.st.iLossVar, f.g.el.Bomb[0].Top),
                  std::tuple(hitsShip ? 3 : 4, hitsShip ? -2000 : top))
            << left << "," << top;
    }
    for (int level : {3, 4}) { // standing still in level 3; the bomb goes on
        Field f(level);
        f.g.el.PMissl = {3000, 3000, true, 100};
        f.g.el.Bomb[3] = {3000, 3000, true, 11};
        f.g.st.Rocket = true;
        bombStep(f.g);
        EXPECT_EQ(std::tuple(f.g.st.Rocket, f.g.el.PMissl.Top, f.g.el.Bomb[3].Top != -2000),
                  std::tuple(level == 3, level == 3 ? 3000.f : -9999.f, true));
    }
}

// Two rams in one tick: two blows, the lower number first; a game lost by the first still
// takes the second and its label stays "0".
TEST(EnemyStep, TwoRamsInOneTickAreTwoLossesLowerNumberFirst) {
    for (std::int16_t lives : {4, 1}) {
        Field f(1);
        f.g.st.iLossVar = lives;
        f.g.el.EmySpot[6] = {2100, 5100, true, 6};
        f.g.el.EmySpot[2] = {1900, 4900, true, 6};
        std::pair<int, int> pictures; // of both at the first blow's first event point
        f.events.onCall = [&](int n) {
            if (n == 1) pictures = {f.g.el.EmySpot[2].Picture, f.g.el.EmySpot[6].Picture};
        };
        EXPECT_EQ(f.timed([&] { enemyStep(f.g); }), 1400u);
        EXPECT_EQ(std::tuple(pictures, f.g.st.iLossVar, f.g.st.GameOver, f.g.el.LossesLbl.Caption),
                  std::tuple(std::pair(3, 6), lives - 2, lives <= 2, lives == 4 ? "2" : "0"));
    }
}

TEST(ELands, SixPlanetStrikesEndTheGameButABlowInAChallengeStageCostsNoShip) {
    Field f(1);
    for (std::int32_t width : {1016, 816, 616, 416, 216, 0}) { // 16 is below 20: none left
        EXPECT_EQ(f.timed([&] { ELands(f.g, f.g.el.EmySpot[4], 1); }), 360u);
        EXPECT_EQ(std::tuple(f.g.el.LifeBar.Width, f.g.el.LossesLbl.Caption, f.g.st.GameOver),
                  std::tuple(width, width ? "4" : "0", width == 0));
    }
    EXPECT_EQ(f.g.st.iLossVar, 4);
    // A blow in a challenge stage ends it at no cost once the level flow has run; a boss that
    // lands in a tick takes the game straight to the next level, even with the last ship.
    for (int level : {3, 7}) {
        for (int lossType : {1, 2, 13}) {
            Field c(level);
            c.g.st.iEnmyLeft = 6;
            EXPECT_EQ(c.timed([&] { ELands(c.g, c.g.el.EmySpot[0], lossType); }), 360u + 75);
            EXPECT_EQ(std::tuple(c.g.el.LifeBar.Width, c.g.st.iEnmyLeft, c.g.st.iLossVar,
                                 c.g.st.GameOver),
                      std::tuple(1216, 0, 3, false));
            levelEnd(c.g);
            EXPECT_EQ(std::tuple(c.g.st.iLevel, c.g.st.iLossVar), std::tuple(level + 1, 4))
                << level << " " << lossType;
        }
    }
    Field boss(3);
    PrepNewLevel(boss.g);
    for (auto& e : boss.g.el.EmySpot) e.Top = 6660; // 48 more is past the planet line
    boss.g.st.iLossVar = 1;
    Timer1_Timer(boss.g);
    // 1 - 1 for the blow + 1 on reaching level 4
    EXPECT_EQ(std::tuple(boss.g.st.iLevel, boss.g.st.iLossVar, boss.g.st.GameOver),
              std::tuple(4, 1, false));
}

} // namespace kelvar
