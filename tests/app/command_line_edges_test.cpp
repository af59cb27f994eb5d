#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "app/command_line.hpp"
#include "support/run_program.hpp"

namespace kelvar {
namespace {

std::variant<Options, UsageError> parse(std::vector<const char*> args) {
    args.insert(args.begin(), "kelvar-raid");
    return parseCommandLine(static_cast<int>(args.size()), args.data());
}

std::string describe(const std::vector<const char*>& args) {
    std::string s;
    for (const char* a : args) s += std::string(s.empty() ? "" : " ") + a;
    return s;
}

using Mode = Options::Mode;

// Each value option at and just past its bounds, in both of its forms: a number is whole, in
// range and nothing else; a value is never empty and never the next option.
TEST(CommandLineEdges, EveryValueIsTakenAtItsBoundsAndRefusedJustPastThem) {
    struct Case {
        std::vector<const char*> args;
        bool accepted;
        const char* said; // a piece of the message, or of nothing when accepted
    };
    const Case cases[] = {
        {{"--scale", "1"}, true, ""},
        {{"--scale=8"}, true, ""},
        {{"--scale", "0"}, false, "--scale needs a whole number from 1 to 8, not '0'"},
        {{"--scale=9"}, false, "not '9'"},
        {{"--scale", "-1"}, false, "not '-1'"},
        {{"--scale", "2x"}, false, "not '2x'"},
        {{"--scale", " 2"}, false, "not ' 2'"},
        {{"--scale="}, false, "--scale needs a value: --scale N"},
        {{"--scale"}, false, "--scale needs a value: --scale N"},
        {{"--seed", "0"}, true, ""},
        {{"--seed=18446744073709551615"}, true, ""},
        {{"--seed", "-1"}, false, "--seed needs a whole number >= 0, not '-1'"},
        {{"--seed", "1.5"}, false, "not '1.5'"},
        {{"--autopilot", "1", "--record", "r"}, true, ""},
        {{"--autopilot=2147483647", "--record=r"}, true, ""},
        {{"--autopilot", "0", "--record", "r"}, false, "from 1 to 2147483647, not '0'"},
        {{"--autopilot", "-5", "--record", "r"}, false, "not '-5'"},
        {{"--record", "--fullscreen"}, false, "--record needs a value: --record FILE"},
        {{"--trace="}, false, "--trace needs a value: --trace FILE"},
        {{"--demo"}, false, "--demo needs a value: --demo DEMO"},
        {{"--icon-sheet"}, false, "--icon-sheet needs a value: --icon-sheet FILE.png"},
    };
    for (const auto& [args, accepted, said] : cases) {
        const auto parsed = parse(args);
        if (accepted) {
            EXPECT_TRUE(std::holds_alternative<Options>(parsed))
                << describe(args) << ": " << std::get<UsageError>(parsed).message;
            continue;
        }
        ASSERT_TRUE(std::holds_alternative<UsageError>(parsed)) << describe(args);
        const std::string& message = std::get<UsageError>(parsed).message;
        EXPECT_NE(message.find(said), std::string::npos) << describe(args) << ": " << message;
    }
}

// What each run is given, and what it may not be given with it; the values land where the run
// reads them.
TEST(CommandLineEdges, EachRunTakesItsOwnOptionsAndRefusesTheOthers) {
    const std::pair<std::vector<const char*>, const char*> refused[] = {
        {{"--demo", "a", "--record", "r"}, "--record cannot be used with --demo"},
        {{"--demo", "a", "--autopilot", "5"}, "--demo and --autopilot cannot be used together"},
        {{"--headless", "a", "--fullscreen"}, "--fullscreen cannot be used with --headless"},
        {{"--headless", "a", "--scale", "2"}, "--scale cannot be used with --headless"},
        {{"--headless", "a", "--seed", "2"}, "--seed cannot be used with --headless"},
        {{"--autopilot", "5", "--record", "r", "--scale", "2"},
         "--scale cannot be used with --autopilot"},
        {{"--autopilot", "5", "--record", "r", "--fullscreen"},
         "--fullscreen cannot be used with --autopilot"},
        {{"--icon-sheet", "s.png", "--trace", "t"}, "--trace cannot be used with --icon-sheet"},
        {{"--icon-sheet", "s.png", "--headless", "a"},
         "--headless and --icon-sheet cannot be used together"},
        {{"--fullscreen", "--fullscreen"}, "--fullscreen is given twice"},
        {{"--record=r", "--record", "r"}, "--record is given twice"},
        {{"-x"}, "unknown option: -x"},
        {{"--seeds", "1"}, "unknown option: --seeds"},
        {{"--version", "--bogus"}, "unknown option: --bogus"},
        {{"--help", "--help"}, "--help is given twice"},
        {{"--record", "same", "--trace=./same"}, "--trace and --record cannot write the same file"},
        {{"--demo", "d", "--trace", "d"}, "--trace cannot overwrite the demo file"},
        {{"--record", "same", "--trace", "x/../same"},
         "--trace and --record cannot write the same file"},
    };
    for (const auto& [args, said] : refused) {
        const auto parsed = parse(args);
        ASSERT_TRUE(std::holds_alternative<UsageError>(parsed)) << describe(args);
        const std::string& message = std::get<UsageError>(parsed).message;
        EXPECT_NE(message.find(said), std::string::npos) << describe(args) << ": " << message;
    }

    struct Taken {
        std::vector<const char*> args;
        Mode mode;
        std::string demo, trace, sheet, record;
        std::optional<int> scale;
        bool fullscreen;
    };
    const Taken taken[] = {
        {{"--demo", "d", "--trace", "t", "--scale", "3", "--fullscreen"},
         Mode::Play,
         "d",
         "t",
         "",
         "",
         3,
         true},
        {{"--headless=d", "--trace=t"}, Mode::Headless, "d", "t", "", "", {}, false},
        {{"--icon-sheet", "s.png"}, Mode::IconSheet, "", "", "s.png", "", {}, false},
        {{"--autopilot", "7", "--record", "r", "--trace", "t"},
         Mode::Autopilot,
         "",
         "t",
         "",
         "r",
         {},
         false},
        {{"--record", "r", "--trace", "t", "--scale=1"}, Mode::Play, "", "t", "", "r", 1, false},
        {{"-h"}, Mode::Help, "", "", "", "", {}, false},
        {{"--version"}, Mode::Version, "", "", "", "", {}, false},
        {{"--version", "--help"}, Mode::Help, "", "", "", "", {}, false},
        {{"--demo", "a", "--headless", "b", "--version"}, Mode::Version, "", "", "", "", {}, false},
    };
    for (const auto& t : taken) {
        const auto parsed = parse(t.args);
        ASSERT_TRUE(std::holds_alternative<Options>(parsed))
            << describe(t.args) << ": " << std::get<UsageError>(parsed).message;
        const Options& o = std::get<Options>(parsed);
        EXPECT_EQ(std::tie(o.mode, o.demoPath, o.tracePath, o.sheetPath, o.recordPath, o.scale,
                           o.fullscreen),
                  std::tie(t.mode, t.demo, t.trace, t.sheet, t.record, t.scale, t.fullscreen))
            << describe(t.args);
    }
    const auto ticks = parse({"--autopilot", "7", "--record", "r"});
    EXPECT_EQ(std::get<Options>(ticks).autopilotTicks, 7);
}

// The program itself: every refused command line is one line naming the fault, the usage on
// the next lines, nothing on standard output and exit status 2; --version answers 0.
TEST(CommandLineEdges, TheProgramExitsWithStatusTwoOnEveryRefusal) {
    const std::pair<std::string, std::string> cases[] = {
        {"--scale 0", "kelvar-raid: --scale needs a whole number from 1 to 8, not '0'\n"},
        {"--autopilot 0 --record r", "kelvar-raid: --autopilot needs a whole number"},
        {"--autopilot 3", "kelvar-raid: --autopilot needs --record FILE\n"},
        {"--demo a --headless b", "kelvar-raid: --demo and --headless cannot be used together"},
        {"--fullscreen=yes", "kelvar-raid: --fullscreen takes no value\n"},
        {"--seed", "kelvar-raid: --seed needs a value: --seed N\n"},
        {"extra", "kelvar-raid: unexpected argument: extra\n"},
    };
    for (const auto& [args, first] : cases) {
        const auto run = testing::runProgram(
            "env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER " KELVAR_BINARY " " + args);
        EXPECT_EQ(run.code, 2) << args << ": " << run.err;
        EXPECT_EQ(run.out, "") << args;
        EXPECT_TRUE(run.err.starts_with(first)) << args << ": " << run.err;
        EXPECT_NE(run.err.find("usage: kelvar-raid"), std::string::npos) << args << ": " << run.err;
    }
    const auto version = testing::runProgram(
        "env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER " KELVAR_BINARY " --version");
    EXPECT_EQ(std::tie(version.code, version.out, version.err),
              std::make_tuple(0, versionText(), std::string()));
}

// The usage said on a bad command line shows, for each run, exactly the options it takes: each
// one shown is accepted there, each one not shown is refused, and a required one is shown bare.
TEST(CommandLineEdges, TheUsageShowsExactlyTheOptionsEachRunTakes) {
    const std::map<std::string, std::string> sample{{"N", "3"},
                                                    {"FILE", "out.demo"},
                                                    {"DEMO", "in.demo"},
                                                    {"TICKS", "5"},
                                                    {"FILE.png", "s.png"}};
    const std::map<std::string, std::vector<std::string>> extra{
        {"--seed", {"--seed", "3"}},
        {"--scale", {"--scale", "3"}},
        {"--fullscreen", {"--fullscreen"}},
        {"--record", {"--record", "r.demo"}},
        {"--trace", {"--trace", "t.jsonl"}}};
    std::istringstream usage(shortUsageText());
    int runs = 0;
    for (std::string line; std::getline(usage, line);) {
        if (line.find("--help | --version") != std::string::npos) continue;
        ++runs;
        std::istringstream words(line.substr(line.find("kelvar-raid") + 11));
        std::vector<std::string> base;
        std::set<std::string> shown;
        bool bracket = false;
        for (std::string w; words >> w;) {
            const bool opens = w.starts_with("["), closes = w.ends_with("]");
            std::string word = w.substr(opens, w.size() - opens - closes);
            if (word.starts_with("--")) shown.insert(word);
            bracket = bracket || opens;
            if (!bracket) base.push_back(sample.contains(word) ? sample.at(word) : word);
            bracket = bracket && !closes;
        }
        std::vector<const char*> args;
        for (const auto& b : base) args.push_back(b.c_str());
        EXPECT_TRUE(std::holds_alternative<Options>(parse(args))) << line;
        for (const auto& [option, given] : extra) {
            if (std::find(base.begin(), base.end(), option) != base.end()) continue;
            std::vector<const char*> more = args;
            for (const auto& g : given) more.push_back(g.c_str());
            EXPECT_EQ(std::holds_alternative<Options>(parse(more)), shown.contains(option))
                << option << " with: " << line;
        }
    }
    EXPECT_EQ(runs, 5);
}

} // namespace
} // namespace kelvar
