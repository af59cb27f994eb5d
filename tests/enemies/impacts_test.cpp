#include <gtest/gtest.h>

#include <algorithm>

#include "enemies/enemies.hpp"
#include "levelflow/levelflow.hpp"
#include "levels/levels.hpp"
#include "support/test_game.hpp"

namespace kelvar {
namespace {

struct Blows {
    testing::TestGame t;
    Game& g = t.game;
    explicit Blows(int level = 1) {
        t.start();
        g.st.iLevel = static_cast<std::int16_t>(level);
        g.st.iERes1 = g.st.iERes2 = 6;
    }
};

TEST(ELands, SixPlanetStrikesEndTheGame) {
    Blows b;
    const std::int32_t widths[] = {1016, 816, 616, 416, 216};
    for (std::int32_t w : widths) {
        b.g.el.EmySpot[4] = {1234, 6701, true, 6};
        EXPECT_EQ(b.t.timed([&] { ELands(b.g, b.g.el.EmySpot[4], 1); }), 360u);
        EXPECT_EQ(b.g.el.LifeBar.Width, w);
        EXPECT_FALSE(b.g.st.GameOver);
        EXPECT_EQ(b.g.el.EmySpot[4].Top, -1200);
    }
    EXPECT_EQ(b.t.sound.started(), std::vector<int>(5, 17));
    EXPECT_EQ(b.g.el.LossesLbl.Caption, "4");
    ELands(b.g, b.g.el.EmySpot[4], 1); // 216 - 200 = 16 is below 20
    EXPECT_EQ(b.g.el.LifeBar.Width, 0);
    EXPECT_TRUE(b.g.st.GameOver);
    EXPECT_EQ(b.g.el.LossesLbl.Caption, "0");
    EXPECT_EQ(b.g.st.iLossVar, 4);
}

TEST(ELands, AShipHitCostsAShipAndTheLastOneEndsTheGame) {
    for (std::int16_t lives : {2, 1}) {
        Blows b;
        b.g.st.iLossVar = lives;
        b.g.el.EmySpot[0].Picture = 3;
        std::vector<int> shipPictures;
        b.t.events.onCall = [&](int) { shipPictures.push_back(b.g.el.PlrShip.Picture); };
        EXPECT_EQ(b.t.timed([&] { ELands(b.g, b.g.el.EmySpot[7], 2); }), 700u);
        EXPECT_EQ(b.g.st.iLossVar, lives - 1);
        EXPECT_EQ(b.g.el.LossesLbl.Caption, lives == 2 ? "1" : "0");
        EXPECT_EQ(b.g.st.GameOver, lives == 1);
        EXPECT_EQ(b.g.el.LifeBar.Width, lives == 1 ? 0 : 1216);
        EXPECT_EQ(b.t.sound.started(), std::vector<int>(5, 17));
        EXPECT_EQ(b.g.el.PlrShip.Picture, 27);
        EXPECT_EQ(std::count(shipPictures.begin(), shipPictures.end(), 26),
                  5); // drawn once per flash
        EXPECT_EQ(b.g.el.PlrShip.Left, 2160);
        for (const auto& e : b.g.el.EmySpot) EXPECT_EQ(e.Picture, 6); // all restored
    }
}

TEST(ELands, ABlowInAChallengeStageEndsItAndCostsNoShipAfterTheLevelFlow) {
    for (int level : {3, 7}) {
        for (int lossType : {1, 2, 13}) {
            Blows b(level);
            b.g.st.iEnmyLeft = 6;
            const Millis took = b.t.timed([&] { ELands(b.g, b.g.el.EmySpot[0], lossType); });
            EXPECT_EQ(took,
                      360u + 75); // the field's flashes and the blast's frame; no ship flashes
            EXPECT_EQ(b.t.sound.started(), (std::vector<int>{17}));
            EXPECT_EQ(b.g.el.LifeBar.Width, 1216);
            EXPECT_EQ(b.g.st.iLossVar, 3);
            EXPECT_EQ(b.g.st.iEnmyLeft, 0);
            EXPECT_FALSE(b.g.st.GameOver);
            levelEnd(b.g);
            EXPECT_EQ(b.g.st.iLevel, level + 1);
            EXPECT_EQ(b.g.st.iLossVar, 4) << level << " " << lossType;
            EXPECT_EQ(b.g.el.LossesLbl.Caption, "4");
        }
    }
}

TEST(ELands, ABossThatLandsInATickGoesStraightToTheNextLevel) {
    Blows b(3);
    PrepNewLevel(b.g);
    for (auto& e : b.g.el.EmySpot) e.Top = 6660; // 48 more is past the planet line
    b.g.st.iLossVar = 1;                         // even the last ship is not at stake
    Timer1_Timer(b.g);
    EXPECT_EQ(b.g.st.iLevel, 4);
    EXPECT_EQ(b.g.st.iLossVar, 1); // 1 - 1 for the blow + 1 on reaching level 4
    EXPECT_FALSE(b.g.st.GameOver);
    EXPECT_EQ(b.g.st.iEnmyLeft, 54);
    EXPECT_EQ(b.g.el.Timer1.Interval, 35);
}

} // namespace
} // namespace kelvar
