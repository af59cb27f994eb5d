#include "app/command_line.hpp"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>
#include <vector>

namespace kelvar {
namespace {

std::variant<Options, UsageError> parse(std::vector<const char*> args) {
    args.insert(args.begin(), "kelvar-raid");
    return parseCommandLine(static_cast<int>(args.size()), args.data());
}

struct Accepted {
    std::vector<const char*> args;
    Options expected;
};

Options with(auto change) {
    Options o;
    change(o);
    return o;
}

using Mode = Options::Mode;

TEST(CommandLine, AcceptsEveryRunWithItsOptions) {
    const std::vector<Accepted> cases{
        {{}, {}},
        {{"--seed", "18446744073709551615", "--scale", "8", "--fullscreen"}, with([](Options& o) {
             o.seed = UINT64_MAX;
             o.scale = 8;
             o.fullscreen = true;
         })},
        {{"--scale=1", "--record=game.demo", "--trace", "t.jsonl"}, with([](Options& o) {
             o.scale = 1;
             o.recordPath = "game.demo";
             o.tracePath = "t.jsonl";
         })},
        {{"--demo", "a.demo", "--trace", "t.jsonl", "--fullscreen"}, with([](Options& o) {
             o.demoPath = "a.demo";
             o.tracePath = "t.jsonl";
             o.fullscreen = true;
         })},
        {{"--trace", "t.jsonl", "--headless", "a.demo"}, with([](Options& o) {
             o.mode = Mode::Headless;
             o.demoPath = "a.demo";
             o.tracePath = "t.jsonl";
         })},
        {{"--autopilot", "2147483647", "--record", "r.demo", "--seed", "0"}, with([](Options& o) {
             o.mode = Mode::Autopilot;
             o.autopilotTicks = 2147483647;
             o.recordPath = "r.demo";
             o.seed = 0;
         })},
        {{"--icon-sheet", "sheet.png"}, with([](Options& o) {
             o.mode = Mode::IconSheet;
             o.sheetPath = "sheet.png";
         })},
        // Help and version win over everything but a malformed command line.
        {{"--headless", "a.demo", "--demo", "b.demo", "--help"},
         with([](Options& o) { o.mode = Mode::Help; })},
        {{"-h"}, with([](Options& o) { o.mode = Mode::Help; })},
        {{"--scale", "3", "--version"}, with([](Options& o) { o.mode = Mode::Version; })},
    };
    for (const auto& c : cases) {
        std::string line;
        for (const char* a : c.args) line += std::string(a) + " ";
        SCOPED_TRACE(line);
        const auto parsed = parse(c.args);
        ASSERT_TRUE(std::holds_alternative<Options>(parsed))
            << std::get<UsageError>(parsed).message;
        const Options& o = std::get<Options>(parsed);
        EXPECT_EQ(o.mode, c.expected.mode);
        EXPECT_EQ(o.demoPath, c.expected.demoPath);
        EXPECT_EQ(o.tracePath, c.expected.tracePath);
        EXPECT_EQ(o.sheetPath, c.expected.sheetPath);
        EXPECT_EQ(o.recordPath, c.expected.recordPath);
        EXPECT_EQ(o.autopilotTicks, c.expected.autopilotTicks);
        EXPECT_EQ(o.seed, c.expected.seed);
        EXPECT_EQ(o.scale, c.expected.scale);
        EXPECT_EQ(o.fullscreen, c.expected.fullscreen);
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

TEST(CommandLine, HelpHasOneLinePerOptionAndTheUsageEveryRun) {
    const std::string help = helpText();
    for (const char* option :
         {"--seed N", "--scale N", "--fullscreen", "--record FILE", "--trace FILE", "--demo DEMO",
          "--headless DEMO", "--autopilot TICKS", "--icon-sheet FILE.png", "--help", "--version"}) {
        SCOPED_TRACE(option);
        EXPECT_NE(help.find("\n  " + std::string(option) + " "), std::string::npos);
    }
    const std::string usage = shortUsageText();
    for (const char* run : {"kelvar-raid [--seed N] [--scale N] [--fullscreen] [--record FILE]",
                            "kelvar-raid --demo DEMO [--scale N]", "kelvar-raid --headless DEMO",
                            "kelvar-raid --autopilot TICKS [--seed N] --record FILE",
                            "kelvar-raid --icon-sheet FILE.png\n"}) {
        SCOPED_TRACE(run);
        EXPECT_NE(usage.find(run), std::string::npos);
    }
}

// The built program, run with no display of any kind.
struct ProgramRun {
    int code = -1;
    std::string out, err;
};

std::string slurp(const std::string& path) {
    std::ifstream in(path);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

ProgramRun runWithoutDisplay(const char* argument) {
    const auto dir = std::filesystem::temp_directory_path();
    const std::string out = (dir / ("kelvar-cl-out-" + std::to_string(getpid()))).string();
    const std::string err = (dir / ("kelvar-cl-err-" + std::to_string(getpid()))).string();
    const pid_t pid = fork();
    if (pid == 0) {
        unsetenv("DISPLAY");
        unsetenv("WAYLAND_DISPLAY");
        unsetenv("SDL_VIDEODRIVER");
        if (!freopen(out.c_str(), "w", stdout) || !freopen(err.c_str(), "w", stderr)) _exit(127);
        execl(KELVAR_BINARY, KELVAR_BINARY, argument, static_cast<char*>(nullptr));
        _exit(127);
    }
    ProgramRun run;
    int status = 0;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (waitpid(pid, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
            ADD_FAILURE() << argument << " did not finish within 20 s";
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    if (WIFEXITED(status)) run.code = WEXITSTATUS(status);
    run.out = slurp(out);
    run.err = slurp(err);
    std::filesystem::remove(out);
    std::filesystem::remove(err);
    return run;
}

TEST(CommandLineProgram, HelpVersionAndBadOptionWorkWithoutADisplay) {
    const ProgramRun help = runWithoutDisplay("--help");
    EXPECT_EQ(help.code, 0);
    EXPECT_EQ(help.out, helpText());
    EXPECT_EQ(help.err, "");

    const ProgramRun version = runWithoutDisplay("--version");
    EXPECT_EQ(version.code, 0);
    EXPECT_EQ(version.out, "kelvar-raid " KELVAR_VERSION "\n");
    EXPECT_EQ(version.err, "");

    const ProgramRun bad = runWithoutDisplay("--bogus");
    EXPECT_EQ(bad.code, 2);
    EXPECT_EQ(bad.out, "");
    EXPECT_EQ(bad.err.rfind("kelvar-raid: unknown option: --bogus\nusage: kelvar-raid", 0), 0u)
        << bad.err;
}

} // namespace
} // namespace kelvar
