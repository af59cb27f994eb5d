#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <variant>

namespace kelvar {

struct Options {
    enum class Mode { Play, Headless, IconSheet, Autopilot, Help, Version } mode = Mode::Play;
    std::string demoPath;   // --headless DEMO, or --demo DEMO in the window
    std::string tracePath;  // --trace FILE
    std::string sheetPath;  // --icon-sheet FILE
    std::string recordPath; // --record FILE: the demo of the game played
    long autopilotTicks = 0;
    std::optional<std::uint64_t> seed;
    std::optional<int> scale; // --scale N: the windows' whole-number scale, 1..8
    bool fullscreen = false;  // --fullscreen: the play field starts fullscreen
};

struct UsageError {
    std::string message;
};

// Never touches SDL, so --help and --version work without a display.
std::variant<Options, UsageError> parseCommandLine(int argc, const char* const* argv);

std::string helpText();       // every option, one line each
std::string shortUsageText(); // the ways to call the program, for a usage error
std::string versionText();    // "kelvar-raid X.Y.Z\n"

} // namespace kelvar
