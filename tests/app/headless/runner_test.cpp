#include "app/headless/runner.hpp"

#include <gtest/gtest.h>

#include <sstream>

#include "support/test_game.hpp"

namespace kelvar {
namespace {

// Play ticks leave out the game-over sequence's tick; a demo's end or a stall plays no tick.
TEST(DemoRun, CountsPlayTicksAndEndsOnce) {
    const struct {
        const char* body;
        int ticks, playTicks;
        const char* ended;
    } cases[] = {
        {"3 0 key 27\n", 3, 2, "game_over"},
        {"5 end\n", 5, 5, "end"},
        {"2 0 key 19\n", 1, 1, "stalled"}, // paused and no key left to resume
    };
    for (const auto& c : cases) {
        std::istringstream in(testing::demoText(c.body));
        DemoRun run(std::get<Demo>(parseDemo(in)));
        int steps = 0;
        while (run.step()) ++steps;
        EXPECT_FALSE(run.step()) << c.body;
        EXPECT_EQ(std::make_tuple(steps, run.summary().ticks, run.summary().ended, run.playTicks()),
                  std::make_tuple(c.ticks, c.ticks, std::string(c.ended), c.playTicks))
            << c.body;
    }
}

} // namespace
} // namespace kelvar
