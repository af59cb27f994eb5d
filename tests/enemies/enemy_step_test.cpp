#include <gtest/gtest.h>

#include "enemies/enemies.hpp"
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
        {4290, 100, 4390, 100},    {4290.5f, 100, 4389, -20},
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

// Ship at (2000, 5000): the ram box reaches 230 left, 280 right, 330 up and 300 down of an
// enemy's corner; the warning line is 6400, the planet line 6700.
TEST(EnemyStep, WarningPlanetAndRamLines) {
    const struct {
        float left, top;
        bool red, strike, rams;
        float shipTop = 5000;
    } cases[] = {
        {100, 6400, false, false, false},       {100, 6400.5f, true, false, false},
        {100, 6700, true, false, false},        {100, 6700.5f, false, true, false},
        {1770, 5000, false, false, false},      {1771, 5000, false, false, true},
        {2279, 5000, false, false, true},       {2280, 5000, false, false, false},
        {2000, 4670, false, false, false},      {2000, 4671, false, false, true},
        {2000, 5299, false, false, true},       {2000, 5300, false, false, false},
        {1770.5f, 4670.5f, false, false, true}, {2279.5f, 5299.5f, false, false, true},
        {2000, 6701, false, true, false, 6500}, // a planet strike cannot also ram
    };
    for (const auto& c : cases) {
        Field f;
        f.g.el.PlrShip.Top = c.shipTop;
        f.g.st.iDD[2] = 30;
        f.landOn(2, c.left, c.top);
        const Millis took = f.t.timed([&] { enemyStep(f.g); });
        EXPECT_EQ(took, c.strike ? 360u : c.rams ? 700u : 0u) << c.left << "," << c.top;
        EXPECT_EQ(f.g.el.LifeBar.BackColor == colour::LightRed, c.red) << c.left << "," << c.top;
        EXPECT_EQ(f.g.el.LifeBar.Width, c.strike ? 1016 : 1216) << c.left << "," << c.top;
        EXPECT_EQ(f.g.st.iLossVar, c.rams ? 3 : 4) << c.left << "," << c.top;
        EXPECT_EQ(f.g.el.EmySpot[2].Top, c.strike || c.rams ? -1200 : c.top)
            << c.left << "," << c.top;
    }
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
                if (f.g.el.EmySpot[k].Picture == 3 && (exploding.empty() || exploding.back() != k))
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

} // namespace
} // namespace kelvar
