#include <gtest/gtest.h>

#include <cmath>

#include "levels/levels.hpp"
#include "support/test_game.hpp"

namespace kelvar {
namespace {

// One enemy's row per kind of level (the soak checks every row after every tick): the first
// level, the challenge stages' boss formation, the last rows of the tables and beyond them.
TEST(PrepNewLevel, SetsCountPictureAndTheChallengeStages) {
    const struct {
        int level, enemies, picture;
        float left0;
        int step0, fall0;
    } cases[] = {
        {0, 30, 5, 10, 88, 7},     {3, 10, 32, 2160, 0, 48},   {7, 10, 32, 2160, 0, 72},
        {14, 108, 28, 10, 38, 98}, {15, 110, 32, 1200, 0, 45}, {30, 110, 32, 1200, 70, 60},
    };
    for (const auto& c : cases) {
        testing::TestGame t;
        t.start();
        Game& g = t.game;
        g.st.iLevel = static_cast<std::int16_t>(c.level);
        g.st.iGG.fill(999);
        PrepNewLevel(g);
        EXPECT_EQ(g.el.EmySpot[0].Left, c.left0) << c.level;
        EXPECT_EQ(g.st.iGo[0], c.step0) << c.level;
        EXPECT_EQ(g.st.iGG, g.st.iGo) << c.level;
        EXPECT_EQ(g.st.iDD[0], c.fall0) << c.level;
        EXPECT_EQ(g.st.iEnmyTl, c.enemies) << c.level;
        EXPECT_EQ(g.st.iEnmyLeft, c.enemies);
        EXPECT_EQ(g.st.iERes1, c.picture);
        for (const auto& e : g.el.EmySpot) EXPECT_EQ(e.Picture, c.picture);
        const bool challenge = c.level == 3 || c.level == 7;
        EXPECT_EQ(g.el.CHL.Visible, challenge);
        EXPECT_EQ(g.el.LifeBar.Visible, !challenge);
        EXPECT_EQ(g.st.PowerCame, challenge);
    }
}

TEST(PrepNewLevel, ResetsTheLevelsCommonState) {
    testing::TestGame t;
    t.start();
    Game& g = t.game;
    g.el.PlrShip.Top = 3000;
    g.el.LifeBar.Width = 16;
    g.el.PMissl = {400, 2000, true, 100};
    g.st.Rocket = true;
    g.st.SendIt = true;
    PrepNewLevel(g);

    EXPECT_EQ(g.el.PlrShip.Top, 5800);
    EXPECT_EQ(g.el.LifeBar.Width, 1216);
    // The missile is parked but keeps its flag and visibility; the next flight step ends it.
    EXPECT_EQ(g.el.PMissl.Top, -9999);
    EXPECT_TRUE(g.el.PMissl.Visible);
    EXPECT_TRUE(g.st.Rocket);
    EXPECT_FALSE(g.st.SendIt);
}

TEST(PrepNewLevel, DrawsFourBombColumnsFromTheSharedSequence) {
    testing::TestGame t;
    t.start();
    Game& g = t.game;
    Random expected(g.rng.state());
    PrepNewLevel(g);
    const float tops[] = {-3000, -6000, -5000, -4000};
    for (std::size_t b = 0; b < 4; ++b) {
        const double r = expected.next();
        EXPECT_EQ(g.el.Bomb[b].Left, static_cast<float>(std::floor(r * 4250 + 50)));
        EXPECT_EQ(g.el.Bomb[b].Top, tops[b]);
    }
    EXPECT_EQ(g.rng.state(), expected.state()); // exactly four draws
}

} // namespace
} // namespace kelvar
