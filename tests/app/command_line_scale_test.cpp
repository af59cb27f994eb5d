// The window options: --scale N (1..8) and --fullscreen.
#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "app/command_line.hpp"

namespace kelvar {
namespace {

std::variant<Options, UsageError> parse(std::vector<const char*> args) {
    args.insert(args.begin(), "kelvar-raid");
    return parseCommandLine(static_cast<int>(args.size()), const_cast<char**>(args.data()));
}

TEST(CommandLine, ScaleAndFullscreen) {
    const struct {
        std::vector<const char*> args;
        bool ok;
        std::optional<int> scale;
        bool fullscreen;
    } cases[] = {
        {{}, true, {}, false},
        {{"--scale", "1"}, true, 1, false},
        {{"--scale", "8", "--fullscreen"}, true, 8, true},
        {{"--fullscreen", "--seed", "4"}, true, {}, true},
        {{"--scale", "0"}, false, {}, false},
        {{"--scale", "9"}, false, {}, false},
        {{"--scale", "-2"}, false, {}, false},
        {{"--scale", "2x"}, false, {}, false},
        {{"--scale", ""}, false, {}, false},
        {{"--scale", "99999999999"}, false, {}, false},
        {{"--scale"}, false, {}, false},
    };
    for (const auto& c : cases) {
        const auto got = parse(c.args);
        const std::string what = c.args.empty() ? "(none)" : c.args.back();
        ASSERT_EQ(std::holds_alternative<Options>(got), c.ok) << what;
        if (!c.ok) continue;
        EXPECT_EQ(std::get<Options>(got).scale, c.scale) << what;
        EXPECT_EQ(std::get<Options>(got).fullscreen, c.fullscreen) << what;
    }
}

} // namespace
} // namespace kelvar
