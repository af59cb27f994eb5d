#include "app/command_line.hpp"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "support/run_program.hpp"

// The cases name only the options they set; every other keeps its default, which is the point.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

namespace kelvar {
namespace {

std::variant<Options, UsageError> parse(std::vector<const char*> args) {
    args.insert(args.begin(), "kelvar-raid");
    return parseCommandLine(static_cast<int>(args.size()), args.data());
}

using Mode = Options::Mode;

TEST(CommandLine, AcceptsEveryRunWithItsOptions) {
    const std::vector<std::pair<std::vector<const char*>, Options>> cases{
        {{}, {}},
        {{"--seed", "18446744073709551615", "--scale", "8", "--fullscreen"},
         {.seed = UINT64_MAX, .scale = 8, .fullscreen = true}},
        {{"--scale=1", "--record=game.demo", "--trace", "t.jsonl"},
         {.tracePath = "t.jsonl", .recordPath = "game.demo", .scale = 1}},
        {{"--demo", "a.demo", "--trace", "t.jsonl", "--fullscreen"},
         {.demoPath = "a.demo", .tracePath = "t.jsonl", .fullscreen = true}},
        {{"--trace", "t.jsonl", "--headless", "a.demo"},
         {.mode = Mode::Headless, .demoPath = "a.demo", .tracePath = "t.jsonl"}},
        {{"--autopilot", "2147483647", "--record", "r.demo", "--seed", "0"},
         {.mode = Mode::Autopilot,
          .recordPath = "r.demo",
          .autopilotTicks = 2147483647,
          .seed = 0}},
        {{"--icon-sheet", "sheet.png"}, {.mode = Mode::IconSheet, .sheetPath = "sheet.png"}},
        // Help and version win over everything but a malformed command line.
        {{"--headless", "a.demo", "--demo", "b.demo", "--help"}, {.mode = Mode::Help}},
        {{"-h"}, {.mode = Mode::Help}},
        {{"--scale", "3", "--version"}, {.mode = Mode::Version}},
    };
    for (const auto& [args, want] : cases) {
        SCOPED_TRACE(args.empty() ? "(none)" : args.front());
        const auto parsed = parse(args);
        ASSERT_TRUE(std::holds_alternative<Options>(parsed))
            << std::get<UsageError>(parsed).message;
        const Options& o = std::get<Options>(parsed);
        EXPECT_EQ(std::tie(o.mode, o.demoPath, o.tracePath, o.sheetPath, o.recordPath,
                           o.autopilotTicks, o.seed, o.scale, o.fullscreen),
                  std::tie(want.mode, want.demoPath, want.tracePath, want.sheetPath,
                           want.recordPath, want.autopilotTicks, want.seed, want.scale,
                           want.fullscreen));
    }
}

TEST(CommandLine, RejectsWithAMessageNamingTheFault) {
    const std::vector<std::pair<std::vector<const char*>, std::string>> cases{
        {{"--bogus"}, "unknown option: --bogus"},
        {{"-x"}, "unknown option: -x"},
        {{"game.demo"}, "unexpected argument: game.demo"},
        {{"--help=yes"}, "--help takes no value"},
        {{"--fullscreen=1"}, "--fullscreen takes no value"},
        {{"--seed"}, "--seed needs a value"},
        {{"--trace", "--fullscreen"}, "--trace needs a value"},
        {{"--record="}, "--record needs a value"},
        {{"--seed", "1", "--seed", "2"}, "--seed is given twice"},
        {{"--seed", "-1"}, "--seed needs a whole number >= 0, not '-1'"},
        {{"--seed", "18446744073709551616"}, "--seed needs a whole number"},
        {{"--seed", "12x"}, "--seed needs a whole number"},
        {{"--scale", "0"}, "--scale needs a whole number from 1 to 8, not '0'"},
        {{"--scale", "9"}, "from 1 to 8, not '9'"},
        {{"--scale", "2.5"}, "from 1 to 8, not '2.5'"},
        {{"--scale", " 2"}, "from 1 to 8"},
        {{"--scale", "99999999999"}, "from 1 to 8"},
        {{"--scale"}, "--scale needs a value"},
        {{"--autopilot", "0", "--record", "r"}, "--autopilot needs a whole number of ticks"},
        {{"--autopilot", "2147483648", "--record", "r"}, "--autopilot needs a whole number"},
        {{"--autopilot", "10"}, "--autopilot needs --record FILE"},
        {{"--headless", "a", "--demo", "b"}, "--demo and --headless cannot be used together"},
        {{"--autopilot", "9", "--record", "r", "--icon-sheet", "s.png"},
         "--autopilot and --icon-sheet cannot be used together"},
        {{"--headless", "a", "--scale", "2"}, "--scale cannot be used with --headless"},
        {{"--autopilot", "9", "--record", "r", "--fullscreen"},
         "--fullscreen cannot be used with --autopilot"},
        {{"--demo", "a", "--seed", "5"}, "--seed cannot be used with --demo"},
        {{"--demo", "a", "--record", "r"}, "--record cannot be used with --demo"},
        {{"--icon-sheet", "s.png", "--trace", "t"}, "--trace cannot be used with --icon-sheet"},
        {{"--record", "same", "--trace", "same"},
         "--trace and --record cannot write the same file"},
        {{"--headless", "a.demo", "--trace", "./a.demo"},
         "--trace cannot overwrite the demo file it replays"},
    };
    for (const auto& [args, message] : cases) {
        SCOPED_TRACE(message);
        const auto parsed = parse(args);
        ASSERT_TRUE(std::holds_alternative<UsageError>(parsed));
        EXPECT_NE(std::get<UsageError>(parsed).message.find(message), std::string::npos)
            << std::get<UsageError>(parsed).message;
    }
}

TEST(CommandLineProgram, HelpVersionAndBadOptionWorkWithoutADisplay) {
    const auto runWithoutDisplay = [](const std::string& arg) {
        return testing::runProgram(
            "env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER " KELVAR_BINARY " " + arg);
    };
    const auto help = runWithoutDisplay("--help");
    EXPECT_EQ(help.code, 0);
    EXPECT_EQ(help.out, helpText());
    EXPECT_EQ(help.err, "");

    const auto version = runWithoutDisplay("--version");
    EXPECT_EQ(version.code, 0);
    EXPECT_EQ(version.out, "kelvar-raid " KELVAR_VERSION "\n");
    EXPECT_EQ(version.err, "");

    const auto bad = runWithoutDisplay("--bogus");
    EXPECT_EQ(bad.code, 2);
    EXPECT_EQ(bad.out, "");
    EXPECT_EQ(bad.err.rfind("kelvar-raid: unknown option: --bogus\nusage: kelvar-raid", 0), 0u)
        << bad.err;
}

} // namespace
} // namespace kelvar
