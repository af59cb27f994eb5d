#include <gtest/gtest.h>

#include "app/headless/autopilot.hpp"
#include "support/test_game.hpp"

namespace kelvar {
namespace {

// Decisions on a field set up by hand: the ship at its level start (2160, 5800), every
// enemy and bomb far above unless placed.
TEST(AutopilotDecision, FiresOnlyWhenTheMissileWillHitAndNotThroughABomb) {
    testing::TestGame t;
    t.start();
    t.clearField();
    t.game.st.iGG.fill(0); // enemies that hang still
    t.game.st.iDD.fill(0);
    t.game.st.iLevel = 4;
    t.game.el.EmySpot[0] = {2160 + 250, 3000, true, 5}; // inside the hit box's 280
    EXPECT_TRUE(Autopilot::decide(t.game).fire);
    t.game.el.Bomb[0] = {2160, 4500, true, 11}; // falls 43 a tick into the missile's way
    EXPECT_FALSE(Autopilot::decide(t.game).fire);
    t.game.st.iLevel = 2; // below level 4 a missile flies through bombs
    EXPECT_TRUE(Autopilot::decide(t.game).fire);

    t.clearField();
    t.game.el.EmySpot[0] = {2160 + 300, 3000, true, 5}; // just outside: one step right lines it up
    const auto d = Autopilot::decide(t.game);
    EXPECT_FALSE(d.fire);
    EXPECT_EQ(d.move, Autopilot::Move::Right);
}

} // namespace
} // namespace kelvar
