#include "app/command_line.hpp"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "platform/sdl/display.hpp"
#include "support/run_program.hpp"

namespace kelvar {
namespace {

const std::string kUsage =
    "usage: kelvar-raid [--seed N] [--scale N] [--fullscreen] [--record FILE] [--trace FILE]\n"
    "       kelvar-raid --demo DEMO [--scale N] [--fullscreen] [--trace FILE]\n"
    "       kelvar-raid --headless DEMO [--trace FILE]\n"
    "       kelvar-raid --autopilot TICKS [--seed N] --record FILE [--trace FILE]\n"
    "       kelvar-raid --icon-sheet FILE.png\n"
    "       kelvar-raid --help | --version\n";

// What the parser made of `args`, split at spaces: the run and every option it set, or the fault.
std::string outcome(const std::string& line) {
    std::vector<std::string> args{"kelvar-raid"};
    std::istringstream words(line);
    for (std::string w; words >> w;) args.push_back(w);
    std::vector<const char*> argv;
    for (const auto& a : args) argv.push_back(a.c_str());
    const auto parsed = parseCommandLine(static_cast<int>(argv.size()), argv.data());
    if (const auto* e = std::get_if<UsageError>(&parsed)) return e->message;
    const Options& o = std::get<Options>(parsed);
    constexpr const char* modes[] = {"play",      "headless", "icon-sheet",
                                     "autopilot", "help",     "version"};
    std::ostringstream s;
    s << modes[static_cast<int>(o.mode)];
    for (const auto& [name, path] : {std::pair{" demo=", o.demoPath},
                                     {" trace=", o.tracePath},
                                     {" sheet=", o.sheetPath},
                                     {" record=", o.recordPath}})
        if (!path.empty()) s << name << path;
    if (o.autopilotTicks) s << " ticks=" << o.autopilotTicks;
    if (o.seed) s << " seed=" << *o.seed;
    if (o.scale) s << " scale=" << *o.scale;
    if (o.fullscreen) s << " fullscreen";
    return s.str();
}

// Each run with its options, or the fault named. A number is whole, in range and nothing else; a
// value is never empty and never the next option; help and version win over everything but a
// malformed command line; no output may destroy another file named.
TEST(CommandLine, TakesEachRunWithItsOptionsOrNamesTheFault) {
    const std::pair<const char*, const char*> cases[] = {
        {"", "play"},
        {"--seed 18446744073709551615 --scale=8 --record=r --fullscreen",
         "play record=r seed=18446744073709551615 scale=8 fullscreen"},
        {"--record r --trace t --scale=1 --seed 0", "play trace=t record=r seed=0 scale=1"},
        {"--demo d --trace t --scale 3 --fullscreen", "play demo=d trace=t scale=3 fullscreen"},
        {"--headless=d --trace=t", "headless demo=d trace=t"},
        {"--icon-sheet s.png", "icon-sheet sheet=s.png"},
        {"--autopilot 1 --record r --trace t", "autopilot trace=t record=r ticks=1"},
        {"--autopilot=2147483647 --record=r --seed 0",
         "autopilot record=r ticks=2147483647 seed=0"},
        {"-h", "help"},
        {"--version", "version"},
        {"--version --help", "help"},
        {"--headless a --demo b --help", "help"},
        {"--demo a --headless b --version", "version"},
        {"--scale 0", "--scale needs a whole number from 1 to 8, not '0'"},
        {"--scale=9", "--scale needs a whole number from 1 to 8, not '9'"},
        {"--scale 2x", "--scale needs a whole number from 1 to 8, not '2x'"},
        {"--scale=", "--scale needs a value: --scale N"},
        {"--scale", "--scale needs a value: --scale N"},
        {"--seed -1", "--seed needs a whole number >= 0, not '-1'"},
        {"--seed 18446744073709551616",
         "--seed needs a whole number >= 0, not '18446744073709551616'"},
        {"--autopilot 0 --record r",
         "--autopilot needs a whole number of ticks from 1 to 2147483647, not '0'"},
        {"--autopilot 2147483648 --record r",
         "--autopilot needs a whole number of ticks from 1 to 2147483647, not '2147483648'"},
        {"--autopilot 10", "--autopilot needs --record FILE"},
        {"--record --fullscreen", "--record needs a value: --record FILE"},
        {"--fullscreen=1", "--fullscreen takes no value"},
        {"--demo a --record r", "--record cannot be used with --demo"},
        {"--icon-sheet s.png --trace t", "--trace cannot be used with --icon-sheet"},
        {"--demo a --autopilot 5", "--demo and --autopilot cannot be used together"},
        {"--icon-sheet s.png --headless a", "--headless and --icon-sheet cannot be used together"},
        {"--fullscreen --fullscreen", "--fullscreen is given twice"},
        {"--record=r --record r", "--record is given twice"},
        {"--help --help", "--help is given twice"},
        {"-x", "unknown option: -x"},
        {"--seeds 1", "unknown option: --seeds"},
        {"game.demo", "unexpected argument: game.demo"},
        {"--record same --trace x/../same", "--trace and --record cannot write the same file"},
        {"--headless a.demo --trace ./a.demo", "--trace cannot overwrite the demo file it replays"},
    };
    for (const auto& [args, want] : cases) EXPECT_EQ(outcome(args), want) << args;
    const char* spaced[] = {"kelvar-raid", "--scale", " 2"};
    EXPECT_EQ(std::get<UsageError>(parseCommandLine(3, spaced)).message,
              "--scale needs a whole number from 1 to 8, not ' 2'");
}

// The real program: help and a refusal need no display; a refusal is one line naming the fault,
// then the usage, on stderr only, status 2; without a display it refuses to run invisibly; a
// trace that cannot be written is said at once, in the window as without one.
TEST(CommandLineProgram, AnswersAtOnceWithTheRightCodeAndMessage) {
    const std::string noDisplay = "env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER ";
    const std::string offscreen = "env SDL_VIDEODRIVER=offscreen ";
    const std::string replay = " " KELVAR_SOURCE_DIR "/tests/data/levels_0_to_8.demo"
                               " --trace /nonexistent/folder/trace.jsonl";
    const std::string tryHelp = "Try 'kelvar-raid --help' for every option.\n";
    const std::tuple<std::string, std::string, int, std::string, std::string> cases[] = {
        {noDisplay, "--help", 0, helpText(), ""},
        {noDisplay, "--version", 0, versionText(), ""},
        {noDisplay, "--bogus", 2, "", "kelvar-raid: unknown option: --bogus\n" + kUsage + tryHelp},
        {noDisplay, "", 1, "", "kelvar-raid: no display found"},
        {offscreen, "--demo" + replay, 2, "", "kelvar-raid: cannot write trace /nonexistent/"},
        {offscreen, "--headless" + replay, 2, "", "kelvar-raid: cannot write trace /nonexistent/"},
    };
    EXPECT_EQ(shortUsageText(), kUsage) << "each run with exactly the options it takes";
    for (const auto& [env, args, code, out, err] : cases) {
        const auto run =
            testing::runProgram(env + "SDL_AUDIODRIVER=dummy " KELVAR_BINARY " " + args);
        EXPECT_EQ(std::tie(run.code, run.out), std::tie(code, out)) << args << ": " << run.err;
        EXPECT_TRUE(run.err.starts_with(err)) << args << ": " << run.err;
        EXPECT_EQ(run.err.empty(), err.empty()) << args << ": " << run.err;
    }
}

// Opening the display: only drivers that show a window unless one is asked for; a busy display
// (an X server refusing for a moment) is tried again a bounded number of times, and one that
// never opens is reported with SDL's reason.
TEST(Display, ABusyDisplayIsTriedAgainAndAFailedOneReported) {
    EXPECT_EQ(videoDriversToTry({"", ":0", "wayland-0"}), "x11,wayland");
    EXPECT_EQ(videoDriversToTry({"offscreen", ":0", ""}), "offscreen");
    for (const auto& [failuresFirst, ok] : {std::pair{2, true}, std::pair{1000, false}}) {
        int asked = 0;
        std::string message;
        const auto init = [&](const std::string&, std::string& error) -> std::string {
            error = ++asked <= failuresFirst ? "x11 not available" : "";
            return error.empty() ? "x11" : "";
        };
        EXPECT_EQ(openDisplay(
                      {"", ":7", ""}, init, [](int) {}, message),
                  ok)
            << message;
        EXPECT_TRUE(ok ? asked == 3
                       : asked <= 10 &&
                             message.find("DISPLAY=:7: x11 not available") != std::string::npos)
            << asked << " " << message;
    }
}

} // namespace
} // namespace kelvar
