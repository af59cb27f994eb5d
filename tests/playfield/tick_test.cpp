#include <gtest/gtest.h>

#include "levels/levels.hpp"
#include "support/test_game.hpp"
#include "support/trace_reader.hpp"

namespace kelvar {
namespace {

using testing::DemoRun;
using testing::demoText;
using testing::playDemo;

TEST(Tick, RunsEveryIntervalOfTheChosenSpeed) {
    for (auto [code, ms] :
         {std::pair{"U", 35}, std::pair{"0", 30}, std::pair{"1", 40}, std::pair{"2", 45}}) {
        auto run = playDemo(demoText("6 end\n", code));
        ASSERT_EQ(run.ticks.size(), 6u) << code;
        for (int n = 1; n <= 6; ++n) {
            EXPECT_EQ(run.tick(n)["start"].i(), n * ms) << code << " tick " << n;
            EXPECT_EQ(run.tick(n)["Interval"].i(), ms);
        }
        EXPECT_EQ(run.summary.ended, "end");
    }
}

// A game left to itself: the enemies strike the planet (and maybe the ship) until it is over.
const DemoRun& idleGame() {
    static const DemoRun run = playDemo(demoText("5000 end\n"));
    return run;
}

TEST(Tick, ALongTickIsFollowedByOneTickAtOnceNeverABurst) {
    const DemoRun& run = idleGame();
    ASSERT_EQ(run.summary.ended, "game_over");
    int longTicks = 0;
    for (std::size_t i = 1; i < run.ticks.size(); ++i) {
        const auto& prev = run.ticks[i - 1];
        const long long due = prev["start"].i() + 35;
        EXPECT_EQ(run.ticks[i]["start"].i(), std::max(due, prev["end"].i())) << "tick " << i + 1;
        if (prev["end"].i() > due) ++longTicks;
    }
    EXPECT_GT(longTicks, 0);
}

TEST(Tick, EveryBlowHoldsItsTickForItsAnimation) {
    const DemoRun& run = idleGame();
    int blows = 0;
    for (std::size_t i = 1; i + 1 < run.ticks.size(); ++i) {
        const auto& prev = run.ticks[i - 1];
        const auto& t = run.ticks[i];
        if (t["GameOver"].b()) break;
        // A planet strike takes 200 off the meter in 360 ms with one impact sound; a ship hit
        // takes a ship in 700 ms with five.
        const long long strikes = (prev["LifeBar"].i() - t["LifeBar"].i()) / 200;
        const long long hits = prev["iLossVar"].i() - t["iLossVar"].i();
        EXPECT_EQ(prev["LifeBar"].i() - t["LifeBar"].i(), 200 * strikes);
        EXPECT_EQ(t["end"].i() - t["start"].i(), 360 * strikes + 700 * hits) << "tick " << i + 1;
        EXPECT_EQ(static_cast<long long>(t["sounds"].items.size()), strikes + 5 * hits);
        EXPECT_EQ(t["pumps"].i(), 9 * strikes + 17 * hits);
        blows += static_cast<int>(strikes + hits);
    }
    EXPECT_GT(blows, 2);
    // The blow that ends the game empties the meter and the lives label; the next tick is the
    // game over: sound 24 to its end, 350 ms, and nothing else.
    const auto& last = run.ticks.back();
    const auto& beforeLast = run.ticks[run.ticks.size() - 2];
    EXPECT_TRUE(beforeLast["GameOver"].b());
    EXPECT_EQ(beforeLast["LifeBar"].i(), 0);
    EXPECT_EQ(beforeLast["labels"]["LossesLbl"].text, "0");
    EXPECT_TRUE(last["game_over"].b());
    EXPECT_EQ(last["end"].i() - last["start"].i(), 1802 + 350);
    EXPECT_EQ(last["sounds"].items.size(), 1u);
    EXPECT_EQ(last["sounds"][0].i(), 24);
    EXPECT_EQ(last["Interval"].i(), 0);
    EXPECT_TRUE(last["visible"]["Gover"].b());
    EXPECT_EQ(last["Star"][0].f(), beforeLast["Star"][0].f()); // nothing moves in it
}

// The first tick of the idle game in which an enemy strikes the planet and nothing else waits.
int firstPlanetStrike(const DemoRun& run) {
    for (std::size_t i = 1; i < run.ticks.size(); ++i)
        if (run.ticks[i]["LifeBar"].i() < run.ticks[i - 1]["LifeBar"].i() &&
            run.ticks[i]["end"].i() - run.ticks[i]["start"].i() == 360)
            return static_cast<int>(i) + 1;
    return 0;
}

TEST(Tick, PauseAtTheEndOfALongTickRearmsFromThatMoment) {
    const int n = firstPlanetStrike(idleGame());
    ASSERT_GT(n, 0);
    const auto& strike = idleGame().tick(n);
    // The strike lets events through nine times, the last as its 360 ms end.
    ASSERT_EQ(strike["pumps"].i(), 9);
    const std::string at = std::to_string(n);
    for (const std::string& point : {std::string("9"), std::string("0")}) {
        const std::string when = point == "0" ? std::to_string(n + 1) + " 0" : at + " 9";
        auto run = playDemo(
            demoText(when + " key 19\n" + when + " key 19\n" + std::to_string(n + 1) + " end\n"));
        ASSERT_EQ(run.ticks.size(), static_cast<std::size_t>(n + 1));
        EXPECT_EQ(run.tick(n)["end"].i(), strike["end"].i());
        EXPECT_EQ(run.tick(n + 1)["start"].i(), strike["end"].i() + 35) << point;
    }
    // Left alone, the next tick follows the long one at once.
    EXPECT_EQ(idleGame().tick(n + 1)["start"].i(), strike["end"].i());
}

TEST(Tick, ALaunchDuringAnImpactSoundIsSilent) {
    const int n = firstPlanetStrike(idleGame());
    ASSERT_GT(n, 0);
    const float shipTop = idleGame().tick(n)["PlrShip"][1].f();
    // Point 3 is at the strike's start (17 still plays); point 9 is 360 ms later (it has ended).
    for (auto [point, heard] : {std::pair{3, false}, std::pair{9, true}}) {
        const std::string at = std::to_string(n);
        auto run =
            playDemo(demoText(at + " " + std::to_string(point) + " key 32\n" + at + " end\n"));
        const auto& t = run.tick(n);
        EXPECT_TRUE(t["Rocket"].b()) << point;
        EXPECT_EQ(t["PMissl"][1].f(), shipTop - 150) << point; // launched after this tick's flight
        EXPECT_EQ(t["sounds"].items.size(), heard ? 2u : 1u) << point;
        EXPECT_EQ(t["sounds"][0].i(), 17);
        EXPECT_EQ(t["pumps"].i(), 9); // the launch's own event processing is no event point
        EXPECT_EQ(t["end"].i(), idleGame().tick(n)["end"].i());
    }
}

TEST(Tick, EscapeEndsTheGameAtTheNextTickAndNothingElseRuns) {
    auto run = playDemo(demoText("5 0 key 27\n9 end\n"));
    ASSERT_EQ(run.ticks.size(), 5u);
    EXPECT_EQ(
        summaryJson(run.summary), // 175 + sound 24's 1802 + 350
        R"({"ticks":5,"ms":2327,"ended":"game_over","iLevel":0,"iScore":0,"iTopScore":0,"iLossVar":4})");
    const auto& t5 = run.tick(5);
    EXPECT_TRUE(t5["game_over"].b());
    EXPECT_EQ(t5["start"].i(), 175);
    EXPECT_EQ(t5["PlrShip"][1].f(), 5796); // no rise in the game-over tick
}

TEST(Tick, EscapeWhilePausedWaitsForTheResume) {
    auto run = playDemo(demoText("3 0 key 19\n3 0 key 27\n40 0 key 19\n50 end\n"));
    ASSERT_EQ(run.ticks.size(), 3u);
    EXPECT_TRUE(run.tick(3)["game_over"].b());
    EXPECT_EQ(run.tick(3)["start"].i(), 105); // the pause took no time

    auto stalled = playDemo(demoText("3 0 key 19\n50 end\n"));
    EXPECT_EQ(stalled.summary.ended, "stalled");
    EXPECT_EQ(stalled.summary.ticks, 2);
}

// The pointer goes to the side panel in the first three play ticks of a level, then is free.
TEST(Tick, ParksThePointerInTheFirstThreeTicksOfALevel) {
    testing::TestGame t;
    t.start();
    const int atStart = t.pointer.moves;
    for (int i = 0; i < 5; ++i) Timer1_Timer(t.game);
    EXPECT_EQ(t.pointer.moves - atStart, 3);
    EXPECT_EQ(t.pointer.x, 7000);
    EXPECT_EQ(t.pointer.y, 4500);
    PrepNewLevel(t.game);
    for (int i = 0; i < 5; ++i) Timer1_Timer(t.game);
    EXPECT_EQ(t.pointer.moves - atStart, 6);
}

} // namespace
} // namespace kelvar
