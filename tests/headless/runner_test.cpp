#include "headless/runner.hpp"

#include <gtest/gtest.h>

#include <sstream>

#include "support/test_game.hpp"

namespace kelvar {

// Play ticks leave out the game-over sequence's tick; a demo's end or a stall plays no tick. A
// step leaves the game as its tick left it: the next tick's keys come with the next step.
TEST(DemoRun, CountsPlayTicksAndEndsOnceEachStepAsItsTickLeftTheGame) {
    for (const auto& [body, ticks, playTicks, ended] :
         {std::tuple{"3 0 key 27\n", 3, 2, "game_over"},
          {"5 end\n", 5, 5, "end"},
          {"3 0 key 19\n", 2, 2, "stalled"}}) { // paused before tick 3, no key left to resume
        std::istringstream in(testing::demoText(body));
        DemoRun run(std::get<Demo>(parseDemo(in)));
        int steps = 0;
        for (; run.step(); ++steps) EXPECT_FALSE(run.game().el.PauseTL.Visible) << body;
        EXPECT_FALSE(run.step()) << body;
        EXPECT_EQ(std::make_tuple(steps, run.summary().ticks, run.summary().ended, run.playTicks(),
                                  run.game().el.PauseTL.Visible),
                  std::make_tuple(ticks, ticks, std::string(ended), playTicks, *ended == 's'))
            << body;
    }
}

} // namespace kelvar
