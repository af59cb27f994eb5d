#pragma once
// Plays a demo given as text headless, keeping its trace lines.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <variant>
#include <vector>

#include "app/headless/runner.hpp"

namespace kelvar::testing {

struct DemoRun {
    std::vector<std::string> lines; // the trace, one line a tick
    RunSummary summary;
};

inline DemoRun playDemo(const std::string& text) {
    std::istringstream in(text);
    auto parsed = parseDemo(in);
    if (auto* err = std::get_if<DemoError>(&parsed)) {
        ADD_FAILURE() << "demo refused at line " << err->line << ": " << err->message;
        return {};
    }
    std::ostringstream trace;
    DemoRun run;
    run.summary = runDemo(std::get<Demo>(parsed), &trace);
    std::istringstream lines(trace.str());
    for (std::string l; std::getline(lines, l);) run.lines.push_back(l);
    return run;
}

// "kelvar-raid demo 1" with a speed line, then the given lines.
inline std::string demoText(const std::string& body, const std::string& speed = "U") {
    return "kelvar-raid demo 1\nspeed " + speed + "\n" + body;
}

} // namespace kelvar::testing
