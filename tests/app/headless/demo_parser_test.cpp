#include <gtest/gtest.h>

#include <sstream>

#include "app/headless/demo.hpp"

namespace kelvar {
namespace {

std::variant<Demo, DemoError> parse(const std::string& text) {
    std::istringstream in(text);
    return parseDemo(in);
}

TEST(DemoParser, ReadsEveryKindOfLine) {
    auto parsed = parse("# a recorded game\r\n"
                        "kelvar-raid demo 1   # the header\r\n"
                        "\n"
                        "speed 2\n"
                        "seed 16777221\n" // taken modulo 2^24
                        "joystick -12 40\n"
                        "12 0 key 32\n"
                        "12 0 key 37\n"
                        "57 3 key 65535\n"
                        "80 joy -300 0 1\n"
                        "80 1 key 19\n"
                        "900 end\n"
                        "# nothing but comments after the end\n");
    ASSERT_TRUE(std::holds_alternative<Demo>(parsed)) << std::get<DemoError>(parsed).message;
    const Demo& d = std::get<Demo>(parsed);
    EXPECT_EQ(d.speed, "2");
    EXPECT_EQ(d.seed, 5u);
    EXPECT_TRUE(d.joystick);
    EXPECT_EQ(d.centre.y, 40);
    ASSERT_EQ(d.keys.size(), 4u);
    EXPECT_EQ(d.keys[2].point, 3);
    EXPECT_EQ(d.keys[2].code, 65535);
    ASSERT_EQ(d.joys.size(), 1u);
    EXPECT_EQ(d.joys[0].reading.buttons, 1u);
    EXPECT_EQ(d.endTick, 900);

    auto bare = parse("kelvar-raid demo 1\nspeed U\n"); // the defaults
    ASSERT_TRUE(std::holds_alternative<Demo>(bare));
    EXPECT_EQ(std::get<Demo>(bare).seed, 327680u);
    EXPECT_FALSE(std::get<Demo>(bare).joystick);
    EXPECT_FALSE(std::get<Demo>(bare).endTick.has_value());
}

TEST(DemoParser, RefusesBrokenFilesNamingTheLine) {
    const struct {
        const char* why;
        std::string body; // after the header line
        int line;
    } cases[] = {
        {"no speed", "5 end\n", 2},
        {"unknown speed", "speed 3\n", 2},
        {"joystick with one number", "speed U\njoystick 5\n", 3},
        {"setting after a timed line", "speed U\n3 0 key 32\nseed 4\n", 4},
        {"tick zero", "speed U\n0 0 key 32\n", 3},
        {"key code too big", "speed U\n5 0 key 65536\n", 3},
        {"joy without joystick", "speed U\n5 joy 0 0 0\n", 3},
        {"line after end", "speed U\n9 end\n10 0 key 32\n", 4},
    };
    for (const auto& c : cases) {
        auto parsed = parse("kelvar-raid demo 1\n" + c.body);
        ASSERT_TRUE(std::holds_alternative<DemoError>(parsed)) << c.why;
        EXPECT_EQ(std::get<DemoError>(parsed).line, c.line) << c.why;
        EXPECT_FALSE(std::get<DemoError>(parsed).message.empty());
    }
    for (const char* badHeader : {"kelvar-raid demo 2\nspeed U\n", "speed U\n"}) {
        auto parsed = parse(badHeader);
        ASSERT_TRUE(std::holds_alternative<DemoError>(parsed)) << badHeader;
        EXPECT_EQ(std::get<DemoError>(parsed).line, 1) << badHeader;
    }
}

} // namespace
} // namespace kelvar
