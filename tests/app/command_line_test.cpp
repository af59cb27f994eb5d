#include "app/command_line.hpp"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "platform/sdl/display.hpp"
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

// Each run with its options, or the fault named; help wins over everything but a malformed
// command line.
TEST(CommandLine, AcceptsEveryRunWithItsOptionsAndNamesEachFault) {
    const std::vector<std::pair<std::vector<const char*>, std::variant<Options, std::string>>>
        cases{
            {{}, Options{}},
            {{"--seed", "18446744073709551615", "--scale=8", "--record=r", "--fullscreen"},
             Options{.recordPath = "r", .seed = UINT64_MAX, .scale = 8, .fullscreen = true}},
            {{"--autopilot", "2147483647", "--record", "r", "--seed", "0"},
             Options{.mode = Mode::Autopilot,
                     .recordPath = "r",
                     .autopilotTicks = 2147483647,
                     .seed = 0}},
            {{"--headless", "a", "--demo", "b", "--help"}, Options{.mode = Mode::Help}},
            {{"game.demo"}, "unexpected argument: game.demo"},
            {{"--fullscreen=1"}, "--fullscreen takes no value"},
            {{"--trace", "--fullscreen"}, "--trace needs a value"},
            {{"--seed", "1", "--seed", "2"}, "--seed is given twice"},
            {{"--seed", "18446744073709551616"}, "--seed needs a whole number"},
            {{"--scale", "9"}, "--scale needs a whole number from 1 to 8, not '9'"},
            {{"--autopilot", "2147483648", "--record", "r"}, "--autopilot needs a whole number"},
            {{"--autopilot", "10"}, "--autopilot needs --record FILE"},
            {{"--headless", "a", "--demo", "b"}, "--demo and --headless cannot be used together"},
            {{"--demo", "a", "--seed", "5"}, "--seed cannot be used with --demo"},
            {{"--record", "f", "--trace", "f"}, "--trace and --record cannot write the same file"},
            {{"--headless", "a.demo", "--trace", "./a.demo"},
             "--trace cannot overwrite the demo file"},
        };
    for (const auto& [args, want] : cases) {
        const auto parsed = parse(args);
        ASSERT_EQ(parsed.index(), want.index()) << (args.empty() ? "" : args.back());
        if (const auto* message = std::get_if<std::string>(&want)) {
            EXPECT_NE(std::get<UsageError>(parsed).message.find(*message), std::string::npos)
                << std::get<UsageError>(parsed).message;
            continue;
        }
        const Options &o = std::get<Options>(parsed), &w = std::get<Options>(want);
        EXPECT_EQ(std::tie(o.mode, o.demoPath, o.recordPath, o.autopilotTicks, o.seed, o.scale,
                           o.fullscreen),
                  std::tie(w.mode, w.demoPath, w.recordPath, w.autopilotTicks, w.seed, w.scale,
                           w.fullscreen));
    }
}

// The real program: help and a bad option need no display; without one it refuses to run
// invisibly; a trace that cannot be written is said at once, in the window as without one.
TEST(CommandLineProgram, AnswersAtOnceWithTheRightCodeAndMessage) {
    const std::string noDisplay = "env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER ";
    const std::string offscreen = "env SDL_VIDEODRIVER=offscreen ";
    const std::string replay = " " KELVAR_SOURCE_DIR "/tests/data/levels_0_to_8.demo"
                               " --trace /nonexistent/folder/trace.jsonl";
    const std::tuple<std::string, std::string, int, std::string, std::string> cases[] = {
        {noDisplay, "--help", 0, helpText(), ""},
        {noDisplay, "--bogus", 2, "", "kelvar-raid: unknown option: --bogus\nusage: kelvar-raid"},
        {noDisplay, "", 1, "", "kelvar-raid: no display found"},
        {offscreen, "--demo" + replay, 2, "", "kelvar-raid: cannot write trace /nonexistent/"},
        {offscreen, "--headless" + replay, 2, "", "kelvar-raid: cannot write trace /nonexistent/"},
    };
    for (const auto& [env, args, code, out, err] : cases) {
        const auto run =
            testing::runProgram(env + "SDL_AUDIODRIVER=dummy " KELVAR_BINARY " " + args);
        EXPECT_EQ(std::tie(run.code, run.out), std::tie(code, out)) << args << ": " << run.err;
        EXPECT_NE(run.err.find(err), std::string::npos) << args << ": " << run.err;
        EXPECT_EQ(run.err.empty(), err.empty()) << args << ": " << run.err;
    }
}

// Opening the display: only drivers that show a window unless one is asked for; a busy display
// (an X server refusing for a moment) is tried again a bounded number of times, and one that
// never opens is reported with SDL's reason.
TEST(Display, ABusyDisplayIsTriedAgainAndAFailedOneReported) {
    EXPECT_EQ(videoDriversToTry({"", ":0", "wayland-0"}), "x11,wayland");
    EXPECT_EQ(videoDriversToTry({"offscreen", ":0", ""}), "offscreen");
    const auto noWait = [](int) {};
    for (const auto& [failuresFirst, ok] : {std::pair{2, true}, std::pair{1000, false}}) {
        int asked = 0;
        std::string message;
        const auto init = [&](const std::string&, std::string& error) -> std::string {
            error = ++asked <= failuresFirst ? "x11 not available" : "";
            return error.empty() ? "x11" : "";
        };
        EXPECT_EQ(openDisplay({"", ":7", ""}, init, noWait, message), ok) << message;
        EXPECT_LE(asked, 10);
        EXPECT_TRUE(ok ? asked == 3
                       : message.find("DISPLAY=:7: x11 not available") != std::string::npos)
            << asked << " " << message;
    }
}

} // namespace
} // namespace kelvar
