// Recording a game played in the window.
#include "app/game_recorder.hpp"

#include <gtest/gtest.h>

#include <sstream>

namespace kelvar {
namespace {

TEST(GameRecorder, WritesADemoThatReadsBackAsRecorded) {
    GameRecorder r;
    r.gameSetUp(12345);
    r.joystickAtSetUp(true, {-40, 7, 3}); // a button held at set-up is not part of the centre
    r.key(1, 0, 37);                      // before "BEGIN": not recorded
    r.gameStarted(45);
    r.joystickRead(1, {-40, 7, 0}); // the centre, unchanged: no line
    r.key(3, 0, 39);
    r.key(3, 2, 32);
    r.joystickRead(4, {-300, 7, 1});
    r.joystickRead(5, {-300, 7, 1});
    r.key(9, 0, 27);
    const Demo d = r.finish(10);
    EXPECT_FALSE(r.recording());

    std::istringstream in(formatDemo(d));
    auto parsed = parseDemo(in);
    ASSERT_TRUE(std::holds_alternative<Demo>(parsed)) << std::get<DemoError>(parsed).message;
    const Demo& back = std::get<Demo>(parsed);
    EXPECT_EQ(back.speed, "2");
    EXPECT_EQ(back.seed, 12345u);
    EXPECT_TRUE(back.joystick);
    EXPECT_EQ(back.centre.x, -40);
    EXPECT_EQ(back.centre.buttons, 0u);
    ASSERT_EQ(back.keys.size(), 3u);
    EXPECT_EQ(back.keys[1].tick, 3);
    EXPECT_EQ(back.keys[1].point, 2);
    EXPECT_EQ(back.keys[1].code, 32);
    ASSERT_EQ(back.joys.size(), 1u);
    EXPECT_EQ(back.joys[0].tick, 4);
    EXPECT_EQ(back.joys[0].reading.buttons, 1u);
    EXPECT_EQ(back.endTick, 10);
}

} // namespace
} // namespace kelvar
