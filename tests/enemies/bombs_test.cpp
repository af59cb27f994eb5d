#include <gtest/gtest.h>

#include "enemies/enemies.hpp"
#include "support/test_game.hpp"

namespace kelvar {
namespace {

// A game in the given level with the enemies out of the way, the ship at (2000, 5000) and
// the four bombs high above the field.
struct Rain {
    testing::TestGame t;
    Game& g = t.game;
    explicit Rain(int level) {
        t.start();
        t.clearField();
        g.st.iLevel = static_cast<std::int16_t>(level);
        g.el.PlrShip.Left = 2000;
        g.el.PlrShip.Top = 5000;
        for (std::size_t b = 0; b < 4; ++b) g.el.Bomb[b] = {100 + 1000.0f * b, -9000, true, 11};
    }
};

TEST(Bombs, FallByLevel) {
    const struct {
        int level;
        std::array<float, 4> fall;
    } cases[] = {
        {0, {0, 0, 0, 0}},        {1, {34, 41, 27, 48}},      {3, {0, 0, 0, 0}},
        {4, {43, 50, 36, 57}},    {5, {95, 110, 100, 90}},    {7, {0, 0, 0, 0}},
        {8, {104, 119, 109, 99}}, {20, {140, 155, 145, 135}},
    };
    for (const auto& c : cases) {
        Rain r(c.level);
        bombStep(r.g);
        for (std::size_t b = 0; b < 4; ++b)
            EXPECT_EQ(r.g.el.Bomb[b].Top, -9000 + c.fall[b])
                << "level " << c.level << " Bomb" << b + 1;
    }
}

TEST(Bombs, FallOutPastTheBottomIntoAColumnOfTheSharedSequence) {
    Rain r(1);
    r.g.el.Bomb[0].Top = 6800 - 34; // lands exactly on the line: stays
    r.g.el.Bomb[1].Top = 6801 - 41; // one past it: recycled
    r.g.el.Bomb[3].Top = 6900;      // also recycled, after Bomb2
    Random expected(r.g.rng.state());
    bombStep(r.g);
    EXPECT_EQ(r.g.el.Bomb[0].Top, 6800);
    EXPECT_EQ(r.g.el.Bomb[1].Top, -2500);
    EXPECT_EQ(r.g.el.Bomb[3].Top, -4000);
    for (std::size_t b : {1u, 3u})
        EXPECT_EQ(r.g.el.Bomb[b].Left, static_cast<float>(50 + 4250 * expected.next()));
    EXPECT_EQ(r.g.rng.state(), expected.state());
}

TEST(Bombs, TheStarsDrawFirstInATick) {
    Rain r(5);
    r.g.el.Bomb[2].Top = 6790;
    Random expected(r.g.rng.state());
    for (int i = 0; i < 105; ++i) expected.next();
    Timer1_Timer(r.g);
    EXPECT_EQ(r.g.el.Bomb[2].Left, static_cast<float>(50 + 4250 * expected.next()));
    EXPECT_EQ(r.g.el.Bomb[2].Top, -3250);
}

TEST(Bombs, HitTheShipAndStopTheMissileInsideOffCentreBoxes) {
    // Ship at (2000, 5000): 200 left, 250 right, 300 up, 270 down. Missile at (3000, 3000):
    // 125 left, 175 right, 225 up, 195 down. Level 4: Bomb1 falls 43; level 0: no hits at all.
    const struct {
        float left, top;
        bool hits;
        int level = 4;
    } cases[] = {
        {1800, 5000, false},    {1801, 5000, true},     {2249, 5000, true}, {2250, 5000, false},
        {2000, 4700, false},    {2000, 4701, true},     {2000, 5269, true}, {2000, 5270, false},
        {2875, 3000, false},    {2876, 3000, true},     {3174, 3000, true}, {3175, 3000, false},
        {3000, 2775, false},    {3000, 2776, true},     {3000, 3194, true}, {3000, 3195, false},
        {2000, 5000, false, 0}, {3000, 3000, false, 0},
    };
    for (const auto& c : cases) {
        Rain r(c.level);
        r.g.el.PMissl = {3000, 3000, true, 100};
        r.g.st.Rocket = true;
        const float fall = c.level == 4 ? 43 : 0;
        r.g.el.Bomb[0] = {c.left, c.top - fall, true, 11};
        bombStep(r.g);
        const bool onShip = c.top > 4000;
        EXPECT_EQ(r.g.st.iLossVar, onShip && c.hits ? 3 : 4) << c.left << "," << c.top;
        EXPECT_EQ(r.g.el.Bomb[0].Top, onShip && c.hits ? -2000 : c.top);
        EXPECT_EQ(r.g.st.Rocket, onShip || !c.hits) << c.left << "," << c.top;
    }
}

TEST(Bombs, TwoBombsOnTheShipAreTwoLossesBomb1First) {
    Rain r(1);
    r.g.el.Bomb[2] = {2100, 5000 - 27, true, 11};
    r.g.el.Bomb[0] = {1900, 4900 - 34, true, 11};
    r.g.el.EmySpot[8] = {600, 2000, true, 6};
    // A ship hit lets events through 17 times; Bomb3 is still in place when the second starts.
    std::vector<float> bomb3TopAtEachBlow;
    r.t.events.onCall = [&](int n) {
        if (n == 1 || n == 18) bomb3TopAtEachBlow.push_back(r.g.el.Bomb[2].Top);
    };
    EXPECT_EQ(r.t.timed([&] { bombStep(r.g); }), 1400u);
    EXPECT_EQ(bomb3TopAtEachBlow, (std::vector<float>{5000, 5000}));
    EXPECT_EQ(r.g.st.iLossVar, 2);
    EXPECT_EQ(r.g.el.Bomb[0].Top, -2000);
    EXPECT_EQ(r.g.el.Bomb[2].Top, -2000);
    EXPECT_EQ(r.g.el.EmySpot[8].Top, -1200);
}

TEST(Bombs, StopTheMissileFromLevelFourOn) {
    for (int level : {1, 2, 3, 4, 5, 8}) {
        Rain r(level);
        r.g.el.PMissl = {3000, 3000, true, 100};
        r.g.st.Rocket = true;
        r.g.el.Bomb[3] = {3000, 2800, true, 11};   // after any fall, within reach of the missile
        if (level == 3) r.g.el.Bomb[3].Top = 3000; // standing still
        bombStep(r.g);
        const bool stopped = level >= 4;
        EXPECT_EQ(r.g.st.Rocket, !stopped) << level;
        EXPECT_EQ(r.g.el.PMissl.Top, stopped ? -9999 : 3000) << level;
        EXPECT_EQ(r.g.el.PMissl.Visible, !stopped);
        EXPECT_NE(r.g.el.Bomb[3].Top, -2000); // the bomb goes on
    }
}

} // namespace
} // namespace kelvar
