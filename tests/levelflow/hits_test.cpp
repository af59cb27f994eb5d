#include <gtest/gtest.h>

#include "levelflow/levelflow.hpp"
#include "support/test_game.hpp"

namespace kelvar {
namespace {

// A game in the given level with every enemy far away and a missile in flight at (ml, mt).
struct Shot {
    testing::TestGame t;
    Game& g = t.game;
    Shot(int level, float ml, float mt) {
        t.start();
        t.clearField();
        g.st.iLevel = static_cast<std::int16_t>(level);
        g.st.iERes1 = g.st.iERes2 = 7;
        g.el.PMissl = {ml, mt, true, 100};
        g.st.Rocket = true;
    }
};

TEST(MissileHits, OnlyStrictlyWithin280Twips) {
    const struct {
        float dl, dt;
        bool hit;
    } cases[] = {
        {279, 279, true}, {-279, -279, true}, {279.5f, 0, true}, {280, 0, false},
        {-280, 0, false}, {0, 280, false},    {0, -280, false},  {0, 0, true},
    };
    for (const auto& c : cases) {
        Shot s(1, 2000 + c.dl, 3000 + c.dt);
        s.g.el.EmySpot[5] = {2000, 3000, true, 7};
        missileHits(s.g);
        EXPECT_EQ(s.g.st.iEnmyLeft, c.hit ? 29 : 30) << c.dl << "," << c.dt;
        EXPECT_EQ(s.g.el.EmySpot[5].Top, c.hit ? -2500 : 3000);
        EXPECT_EQ(s.g.st.Rocket, !c.hit);
    }
}

TEST(MissileHits, TheLowestNumberedEnemyTakesTheMissile) {
    Shot s(2, 1500, 1500);
    s.g.el.EmySpot[6] = {1450, 1450, true, 7};
    s.g.el.EmySpot[2] = {1600, 1600, true, 7};
    EXPECT_EQ(s.t.timed([&] { missileHits(s.g); }), 60u);
    EXPECT_EQ(s.g.el.EmySpot[2].Top, -2500);
    EXPECT_EQ(s.g.el.EmySpot[6].Top, 1450);
    EXPECT_EQ(s.g.st.iScore, 20);
    EXPECT_EQ(s.g.st.iEnmyLeft, 29);
    EXPECT_EQ(s.t.sound.started(), (std::vector<int>{15}));
}

TEST(MissileHits, ParkingHeightsByEnemyAndLevel) {
    for (int level : {1, 3, 7, 8}) {
        for (std::size_t k = 0; k < 10; ++k) {
            Shot s(level, 1000, 100);
            s.g.el.EmySpot[k] = {1010, -100, true, 7}; // still above the field: hit all the same
            std::vector<int> frames;
            s.t.events.onCall = [&](int) { frames.push_back(s.g.el.EmySpot[k].Picture); };
            missileHits(s.g);
            const float parked = (level == 3 || level == 7) ? -8999 : k == 4 ? -1200 : -2500;
            EXPECT_EQ(s.g.el.EmySpot[k].Top, parked) << "level " << level << " EmySpot" << k + 1;
            EXPECT_EQ(frames, (std::vector<int>{2, 2, 3, 4, 4}));
            EXPECT_EQ(s.g.el.EmySpot[k].Picture, 7);
            EXPECT_FALSE(s.g.el.PMissl.Visible);
        }
    }
}

TEST(MissileHits, ScoreIsTenTimesTheLevelAndTheTopScoreFollowsOnATie) {
    const struct {
        int level;
        std::int32_t score, top;
        std::int32_t scoreAfter;
        bool topRewritten;
    } cases[] = {
        {0, 0, 0, 0, true}, // level 0 scores nothing; 0 >= 0 still rewrites the top
        {1, 0, 0, 10, true},        {5, 100, 500, 150, false},
        {5, 450, 500, 500, true}, // equal to the top score
        {12, 900, 500, 1020, true},
    };
    for (const auto& c : cases) {
        Shot s(c.level, 500, 500);
        s.g.el.EmySpot[0] = {500, 500, true, 7};
        s.g.st.iScore = c.score;
        s.g.st.iTopScore = c.top;
        s.g.el.TopScoreLbl.Caption = "old";
        missileHits(s.g);
        EXPECT_EQ(s.g.st.iScore, c.scoreAfter) << c.level;
        EXPECT_EQ(s.g.st.iTopScore, c.topRewritten ? c.scoreAfter : c.top);
        EXPECT_EQ(s.g.el.TopScoreLbl.Caption,
                  c.topRewritten ? std::to_string(c.scoreAfter) : "old");
    }
}

TEST(MissileHits, FireDuringTheExplosionLosesTheNewMissile) {
    Shot s(1, 800, 800);
    s.g.el.EmySpot[3] = {800, 800, true, 7};
    int pressedAt = 0;
    s.t.events.onCall = [&](int n) {
        if (!pressedAt && !s.g.st.Rocket) {
            pressedAt = n;
            Form_KeyDown(s.g, key::Space);
        }
    };
    missileHits(s.g);
    EXPECT_EQ(pressedAt, 4); // the event processing after the missile was taken out
    EXPECT_TRUE(s.g.st.Rocket);
    EXPECT_TRUE(s.g.el.PMissl.Visible);
    EXPECT_EQ(s.g.el.PMissl.Top, -9999);
    EXPECT_EQ(s.t.sound.started(), (std::vector<int>{15})); // no launch sound over the hit's
    missileFlight(s.g);
    EXPECT_FALSE(s.g.st.Rocket);
}

} // namespace
} // namespace kelvar
