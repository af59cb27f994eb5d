// What the committed demos do not press or see: pauses and launches without a planet, the stick
// to the right, the parked pointer, a score below an earlier top score.
#include <gtest/gtest.h>

#include <sstream>

#include "core/levelflow/levelflow.hpp"
#include "core/levels/levels.hpp"
#include "headless/runner.hpp"
#include "support/test_game.hpp"

namespace kelvar {
namespace {

TEST(Keys, NoLaunchWhileFlyingOrPausedAndNoPauseWithoutAPlanet) {
    for (int c : {0, 1, 2}) { // flying, paused, no planet
        testing::TestGame t{"1"};
        Game& g = t.game;
        if (c == 0) Form_KeyDown(g, key::Space), g.el.PMissl.Top = 1000;
        if (c == 1) Form_KeyDown(g, key::Pause);
        if (c == 2) g.el.LifeBar.Width = 0;
        t.sound.started().clear();
        Form_KeyDown(g, key::Space);
        EXPECT_TRUE(t.sound.started().empty()) << c;
        EXPECT_EQ(std::tie(g.st.Rocket, g.el.PMissl.Top),
                  std::make_tuple(c == 0, c ? -9999 : 1000));
        Form_KeyDown(g, key::Pause); // resumes the paused game; nothing without a planet
        EXPECT_EQ(std::tie(g.el.Timer1.Interval, g.el.PauseTL.Visible),
                  std::make_tuple(c ? 40 : 0, c == 0))
            << c;
    }
}

// The ship's Left and the missile's flag after each tick of a demo with a joystick at (0, 0).
std::vector<std::pair<float, bool>> shipAndMissile(const std::string& body) {
    std::istringstream in(testing::demoText("joystick 0 0\n" + body));
    DemoRun run(std::get<Demo>(parseDemo(in)));
    std::vector<std::pair<float, bool>> ticks;
    while (run.step()) ticks.emplace_back(run.game().el.PlrShip.Left, run.game().st.Rocket);
    return ticks;
}

TEST(Joystick, OneUnitOffCentreBeatsAKeyAndButtonsOneToSevenFire) {
    const auto moves = shipAndMissile("2 0 key 37\n2 joy 1 0 0\n3 joy 0 0 0\n3 0 key 37\n3 end\n");
    EXPECT_EQ(moves.at(1).first, 2445); // right, over the Left key
    EXPECT_EQ(moves.at(2).first, 2160); // centre leaves the key's request
    for (std::uint32_t mask : {1u, 64u, 128u, 0x8000u})
        EXPECT_EQ(shipAndMissile("2 joy 0 0 " + std::to_string(mask) + "\n2 end\n").at(1).second,
                  mask < 128)
            << mask;
}

// The pointer goes to the side panel in the first three play ticks of a level, then is free.
TEST(Tick, ParksThePointerInTheFirstThreeTicksOfALevel) {
    testing::TestGame t{"U"};
    for (int level : {0, 1}) {
        const int atStart = t.pointer.moves;
        for (int i = 0; i < 5; ++i) Timer1_Timer(t.game);
        EXPECT_EQ(std::tuple(t.pointer.moves - atStart, t.pointer.x, t.pointer.y),
                  std::tuple(3, 7000, 4500))
            << level;
        PrepNewLevel(t.game);
    }
}

// A hit scores ten times the level. Only a later game can score below the top score: the top
// score stays then, and follows the score from a tie on. Near their limits the score and the
// top score stop instead of wrapping (one hit at level 32767 scores 327670).
TEST(TopScore, StaysAboveALowerScoreFollowsFromATieAndStopsAtItsLimit) {
    constexpr std::int32_t kMax = 2147483647;
    const std::tuple<int, std::int32_t, std::int32_t, std::int32_t, std::int32_t> cases[] = {
        {5, 100, 500, 150, 500},
        {5, 450, 500, 500, 500},
        {5, 490, 500, 540, 540},
        {32767, 1'000'000, 1'000'000, 1'327'670, 1'327'670},
        {32767, kMax - 327670, kMax - 327670, kMax, kMax},
        {32767, kMax - 5, kMax - 5, kMax, kMax},
        {32767, kMax, kMax, kMax, kMax}};
    for (const auto& [level, score, top, after, topAfter] : cases) {
        testing::Field f(level);
        f.g.st.iScore = score;
        f.g.st.iTopScore = top;
        f.g.el.TopScoreLbl.Caption = "old";
        f.g.el.EmySpot[0] = f.g.el.PMissl = {500, 500, true, 7};
        missileHits(f.g);
        EXPECT_EQ(std::tie(f.g.st.iScore, f.g.st.iTopScore, f.g.el.TopScoreLbl.Caption),
                  std::make_tuple(after, topAfter, after >= top ? std::to_string(after) : "old"))
            << score;
    }
}

} // namespace
} // namespace kelvar
