// A level change's messages, which its trace does not show; POWbomb paths no demo takes.
#include <gtest/gtest.h>

#include <array>

#include "core/levelflow/levelflow.hpp"
#include "support/test_game.hpp"

namespace kelvar {

TEST(LevelChange, ShowsItsMessagesInOrder) {
    testing::TestGame t{"2"};
    Game& g = t.game;
    g.st.iEnmyLeft = 0;
    std::vector<std::string> shown; // the message, the level and the timer at each event point
    t.events.onCall = [&](int) {
        shown.push_back((g.el.GShotLbl.Visible ? g.el.GShotLbl.Caption : "-") + " " +
                        std::to_string(g.st.iLevel) + " " + std::to_string(g.el.Timer1.Interval));
    };
    levelEnd(g);
    EXPECT_EQ(shown, (std::vector<std::string>{"LEVEL CLEAR 0 0", "LEVEL CLEAR 0 0",
                                               "LEVEL CLEAR 0 0", "GET READY 1 0"}));
    EXPECT_FALSE(g.el.GShotLbl.Visible);
    EXPECT_EQ(g.el.Timer1.Interval, 45);
}

TEST(PowBomb, EscapesAfter157TicksOnceALevelAndAHitBlastsTheFormation) {
    testing::TestGame t{"U"};
    Game& g = t.game;
    g.st.iEnmyLeft = 15;
    powerEmergence(g);
    for (int n = 1; n <= 156; ++n) powerFlight(g);
    EXPECT_TRUE(g.st.SendIt);
    powerFlight(g);    // the 157th step takes it to 3825, -355: past the top
    powerEmergence(g); // the count still at half: once per level
    EXPECT_FALSE(g.st.SendIt || g.el.Power.Visible);
    // A hit blasts the formation (ten off the count) and gives a weak planet 200 back.
    const std::array<int, 4> cases[] = {
        {25, 15, 1016, 1216}, {7, 0, 1216, 1216}, {12, 2, 1019, 1219}, {20, 10, 1020, 1020}};
    for (const auto& [left, leftAfter, meter, meterAfter] : cases) {
        testing::TestGame h{"U"};
        h.game.st.iLevel = 2;
        h.game.st.iEnmyLeft = static_cast<std::int16_t>(left);
        h.game.el.LifeBar.Width = meter;
        h.game.st.SendIt = h.game.st.PowerCame = h.game.st.Rocket = true;
        h.game.el.Power = {1500, 1500, true, 101};
        h.game.el.PMissl = {1779, 1221, true, 100};
        powerHit(h.game);
        EXPECT_EQ(std::tie(h.game.st.iEnmyLeft, h.game.el.LifeBar.Width),
                  std::tie(leftAfter, meterAfter))
            << left << " " << meter;
    }
}

} // namespace kelvar
