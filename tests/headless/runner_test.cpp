#include "headless/runner.hpp"

#include <gtest/gtest.h>

#include <sstream>

#include "support/test_game.hpp"

namespace kelvar {
namespace {

// Play ticks leave out the game-over sequence's tick; a demo's end or a stall plays no tick.
TEST(DemoRun, CountsPlayTicksAndEndsOnce) {
    for (const auto& [body, ticks, playTicks, ended] :
         {std::tuple{"3 0 key 27\n", 3, 2, "game_over"},
          {"5 end\n", 5, 5, "end"},
          {"2 0 key 19\n", 1, 1, "stalled"}}) { // paused and no key left to resume
        std::istringstream in(testing::demoText(body));
        DemoRun run(std::get<Demo>(parseDemo(in)));
        int steps = 0;
        while (run.step()) ++steps;
        EXPECT_FALSE(run.step()) << body;
        EXPECT_EQ(std::make_tuple(steps, run.summary().ticks, run.summary().ended, run.playTicks()),
                  std::make_tuple(ticks, ticks, std::string(ended), playTicks))
            << body;
    }
}

// A step leaves the game as its tick left it: the next tick's keys come with the next step.
TEST(DemoRun, AStepLeavesTheStateItsTickLeft) {
    std::istringstream in(testing::demoText("3 0 key 19\n"));
    DemoRun run(std::get<Demo>(parseDemo(in)));
    ASSERT_TRUE(run.step());
    ASSERT_TRUE(run.step());
    EXPECT_EQ(std::make_tuple(run.game().el.Timer1.Interval, run.game().el.PauseTL.Visible),
              std::make_tuple(35, false));
    EXPECT_FALSE(run.step()); // paused before tick 3, no key left to resume
    EXPECT_EQ(std::make_tuple(run.game().el.Timer1.Interval, run.summary().ended),
              std::make_tuple(0, std::string("stalled")));
}

} // namespace
} // namespace kelvar
