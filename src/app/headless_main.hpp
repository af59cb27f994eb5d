#pragma once
#include <fstream>
#include <optional>
#include <string>

#include "app/command_line.hpp"
#include "session/demo.hpp"

namespace kelvar {

// Plays a demo file without a window; prints the summary line. Returns the exit code.
int runHeadless(const Options& options);

// Does what needs no window (--help, --version, --headless, --autopilot) and returns the exit
// code; nothing when `options` asks for the window or the icon sheet.
std::optional<int> runWithoutWindow(const Options& options);
// Says on stderr what is wrong with the command line; returns the exit code for it.
int reportUsageError(const UsageError& error);

// Reads and checks a demo file; says what is wrong on stderr (naming the line) when it fails.
std::optional<Demo> loadDemoFile(const std::string& path);
// Opens `path` for writing, truncated; says so on stderr when it cannot.
bool openOutput(const std::string& path, std::ofstream& out, const char* what);
// Flushes an open output; says so on stderr when writing failed.
bool finishOutput(const std::string& path, std::ofstream& out, const char* what);

} // namespace kelvar
