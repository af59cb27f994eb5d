// Recording a game played in the window: only what happens after "BEGIN", the joystick's lines
// only when its reading changes, a button held at set-up not part of the centre.
#include "app/game_recorder.hpp"

#include <gtest/gtest.h>

#include <sstream>

namespace kelvar {
namespace {

TEST(GameRecorder, WritesADemoThatReadsBackAsRecorded) {
    GameRecorder r;
    r.gameSetUp(12345);
    r.joystickAtSetUp(true, {-40, 7, 3});
    r.key(1, 0, 37);
    r.gameStarted(45);
    r.joystickRead(1, {-40, 7, 0});
    r.key(3, 2, 32);
    r.joystickRead(4, {-300, 7, 1});
    r.joystickRead(5, {-300, 7, 1});
    std::istringstream in(formatDemo(r.finish(10)));
    const Demo back = std::get<Demo>(parseDemo(in));
    EXPECT_EQ(std::tie(back.speed, back.seed, back.joystick, back.endTick),
              std::make_tuple("2", 12345u, true, std::optional<int>(10)));
    EXPECT_EQ(std::tie(back.centre.x, back.centre.buttons), std::make_tuple(-40, 0u));
    ASSERT_EQ(back.keys.size(), 1u);
    EXPECT_EQ(std::tie(back.keys[0].tick, back.keys[0].point, back.keys[0].code),
              std::make_tuple(3, 2, 32));
    ASSERT_EQ(back.joys.size(), 1u);
    EXPECT_EQ(std::tie(back.joys[0].tick, back.joys[0].reading.buttons), std::make_tuple(4, 1u));
}

} // namespace
} // namespace kelvar
