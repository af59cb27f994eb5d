#include <gtest/gtest.h>

#include <set>

#include "enemies/enemies.hpp"
#include "levels/levels.hpp"
#include "support/test_game.hpp"

namespace kelvar {
namespace {

// A game in level 1 (no sideways steps) with everything parked far above the field, the ship
// at (2000, 5000), and enemy k set to land on (left, top) in the next enemy step.
struct Field {
    testing::TestGame t;
    Game& g = t.game;
    Field() {
        t.start();
        g.st.iLevel = 1;
        t.clearField();
        g.st.iGG.fill(0);
        g.st.iDD.fill(0);
        g.el.PlrShip.Left = 2000;
        g.el.PlrShip.Top = 5000;
    }
    void landOn(std::size_t k, float left, float top) {
        g.el.EmySpot[k].Left = left - g.st.iGG[k];
        g.el.EmySpot[k].Top = top - g.st.iDD[k];
    }
};

TEST(EnemyStep, BouncesOnlyBeyondTheWalls) {
    const struct {
        float left;
        std::int16_t step;
        float after;
        std::int16_t stepAfter;
    } cases[] = {
        {-100, -100, -200, -100},  // exactly -200: no bounce
        {-100.5f, -100, -199, 40}, // half a twip beyond: the left-wall step of the pair
        {4290, 100, 4390, 100},
        {4290.5f, 100, 4389, -20},
        {4300, 125, 4389, -20}, // 4425 is put back at 4389
        {-250, 0, -199, 40},
    };
    for (const auto& c : cases) {
        Field f;
        f.g.st.iGo = {10, 40, 30, -30, -20, -10, 5, -5, 25, -25}; // EmySpot2 pairs iGo2/iGo5
        f.g.el.EmySpot[1] = {c.left, -3000, true, 6};
        f.g.st.iGG[1] = c.step;
        f.g.st.iDD[1] = 48;
        enemyStep(f.g);
        EXPECT_EQ(f.g.el.EmySpot[1].Left, c.after) << c.left;
        EXPECT_EQ(f.g.st.iGG[1], c.stepAfter) << c.left;
        EXPECT_EQ(f.g.el.EmySpot[1].Top, -2952);
    }
}

TEST(EnemyStep, AStraightFallerStuckOutsideStaysAtTheWall) {
    Field f;
    SetVertOnly(f.g);
    f.g.el.EmySpot[4].Left = -250;
    for (int i = 0; i < 3; ++i) enemyStep(f.g);
    EXPECT_EQ(f.g.el.EmySpot[4].Left, -199);
    EXPECT_EQ(f.g.st.iGG[4], 0);
}

TEST(EnemyStep, EachEnemyTakesItsPairsStepAtEachWall) {
    // iGo1..iGo10 = 1..10; wall steps (1-based): left 1,2,3,3,2,1,7,7,9,9; right 6,5,4,4,5,6,8,8,10,10.
    const int leftGo[] = {1, 2, 3, 3, 2, 1, 7, 7, 9, 9};
    const int rightGo[] = {6, 5, 4, 4, 5, 6, 8, 8, 10, 10};
    Field f;
    for (std::size_t k = 0; k < 10; ++k) f.g.st.iGo[k] = static_cast<std::int16_t>(k + 1);
    for (std::size_t k = 0; k < 10; ++k) f.g.el.EmySpot[k].Left = -300;
    enemyStep(f.g);
    for (std::size_t k = 0; k < 10; ++k) EXPECT_EQ(f.g.st.iGG[k], leftGo[k]) << "EmySpot" << k + 1;
    for (std::size_t k = 0; k < 10; ++k) f.g.el.EmySpot[k].Left = 4500;
    enemyStep(f.g);
    for (std::size_t k = 0; k < 10; ++k) EXPECT_EQ(f.g.st.iGG[k], rightGo[k]) << "EmySpot" << k + 1;
}

TEST(EnemyStep, WarningAndPlanetLines) {
    const struct {
        float top;
        bool red, strike;
    } cases[] = {
        {6400, false, false}, {6400.5f, true, false}, {6700, true, false}, {6700.5f, false, true},
    };
    for (const auto& c : cases) {
        Field f;
        f.g.st.iDD[2] = 30;
        f.landOn(2, 100, c.top);
        enemyStep(f.g);
        EXPECT_EQ(f.g.el.LifeBar.BackColor == colour::LightRed, c.red) << c.top;
        EXPECT_EQ(f.g.el.LifeBar.Width, c.strike ? 1016 : 1216) << c.top;
        EXPECT_EQ(f.g.el.EmySpot[2].Top, c.strike ? -1200 : c.top) << c.top;
        EXPECT_EQ(f.g.el.EmySpot[2].Left, 100);
    }
}

TEST(EnemyStep, RamBoxReaches230Left280Right330Up300Down) {
    const struct {
        float left, top;
        bool rams;
    } cases[] = {
        {1770, 5000, false}, {1771, 5000, true}, {2279, 5000, true}, {2280, 5000, false},
        {2000, 4670, false}, {2000, 4671, true}, {2000, 5299, true}, {2000, 5300, false},
        {1770.5f, 4670.5f, true}, {2279.5f, 5299.5f, true},
    };
    for (const auto& c : cases) {
        Field f;
        f.landOn(6, c.left, c.top);
        enemyStep(f.g);
        EXPECT_EQ(f.g.st.iLossVar, c.rams ? 3 : 4) << c.left << "," << c.top;
        EXPECT_EQ(f.g.el.EmySpot[6].Top, c.rams ? -1200 : c.top);
    }
}

TEST(EnemyStep, APlanetStrikeCannotAlsoRam) {
    Field f;
    f.g.el.PlrShip.Top = 6500; // the enemy's strike point lies in the ram box
    f.landOn(0, 2000, 6701);
    EXPECT_EQ(f.t.timed([&] { enemyStep(f.g); }), 360u);
    EXPECT_EQ(f.g.el.LifeBar.Width, 1016);
    EXPECT_EQ(f.g.st.iLossVar, 4);
}

TEST(EnemyStep, TwoRamsInOneTickAreTwoBlowsLowerNumberFirst) {
    for (std::int16_t lives : {4, 1}) {
        Field f;
        f.g.st.iLossVar = lives;
        f.landOn(6, 2100, 5100);
        f.landOn(2, 1900, 4900);
        std::vector<std::size_t> exploding; // the enemy showing the explosion at each blow's start
        f.t.events.onCall = [&](int) {
            for (std::size_t k = 0; k < 10; ++k)
                if (f.g.el.EmySpot[k].Picture == 3 &&
                    (exploding.empty() || exploding.back() != k))
                    exploding.push_back(k);
        };
        EXPECT_EQ(f.t.timed([&] { enemyStep(f.g); }), 1400u);
        EXPECT_EQ(exploding, (std::vector<std::size_t>{2, 6}));
        EXPECT_EQ(f.g.st.iLossVar, lives - 2);
        EXPECT_EQ(f.t.sound.started(), std::vector<int>(10, 17));
        EXPECT_EQ(f.g.st.GameOver, lives <= 2);
        // A game lost by the first blow still takes the second; the label stays at "0".
        EXPECT_EQ(f.g.el.LossesLbl.Caption, lives == 4 ? "2" : "0");
    }
}

TEST(EnemyStep, WithoutPlanetStrengthEnemiesOnlyDrift) {
    Field f;
    f.g.el.LifeBar.Width = 0;
    f.g.el.EmySpot[3] = {1000, 300, true, 6};
    f.g.st.iGG[3] = 50;
    f.g.st.iDD[3] = 20;
    enemyStep(f.g);
    EXPECT_EQ(f.g.el.EmySpot[3].Left, 1050);
    EXPECT_EQ(f.g.el.EmySpot[3].Top, 300);
}

TEST(EnemyStep, ABlowTurnsTheMeterGreenUntilTheNextStep) {
    Field f;
    f.g.st.iDD[0] = 10;
    f.landOn(0, 100, 6500);  // below the warning line: red
    f.landOn(1, 600, 6750);  // then strikes the planet: green again
    enemyStep(f.g);
    EXPECT_EQ(f.g.el.LifeBar.BackColor, colour::LightGreen);
    enemyStep(f.g);
    EXPECT_EQ(f.g.el.LifeBar.BackColor, colour::LightRed);
}

} // namespace
} // namespace kelvar
