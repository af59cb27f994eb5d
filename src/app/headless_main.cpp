#include "app/headless_main.hpp"

#include <iostream>

#include "app/autopilot.hpp"
#include "headless/runner.hpp"

namespace kelvar {

std::optional<Demo> loadDemoFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        std::cerr << "kelvar-raid: cannot read demo " << path << "\n";
        return std::nullopt;
    }
    auto parsed = parseDemo(in);
    if (auto* err = std::get_if<DemoError>(&parsed)) {
        std::cerr << path << ":" << err->line << ": " << err->message << "\n";
        return std::nullopt;
    }
    Demo& demo = std::get<Demo>(parsed);
    if (demo.cut) std::cerr << describeCut(path, *demo.cut) << "\n";
    return std::move(demo);
}

bool openOutput(const std::string& path, std::ofstream& out, const char* what) {
    out.open(path, std::ios::binary | std::ios::trunc);
    if (!out) std::cerr << "kelvar-raid: cannot write " << what << " " << path << "\n";
    return static_cast<bool>(out);
}

bool finishOutput(const std::string& path, std::ofstream& out, const char* what) {
    if (!out.is_open()) return true;
    out.flush();
    if (!out) std::cerr << "kelvar-raid: writing the " << what << " " << path << " failed\n";
    return static_cast<bool>(out);
}

int runHeadless(const Options& options) {
    auto demo = loadDemoFile(options.demoPath);
    if (!demo) return 2;
    std::ofstream traceFile;
    if (!options.tracePath.empty() && !openOutput(options.tracePath, traceFile, "trace")) return 2;
    const RunSummary s = runDemo(std::move(*demo), traceFile.is_open() ? &traceFile : nullptr);
    std::cout << summaryJson(s) << std::endl;
    return finishOutput(options.tracePath, traceFile, "trace") ? 0 : 1;
}

std::optional<int> runWithoutWindow(const Options& options) {
    switch (options.mode) {
    case Options::Mode::Help:
        std::cout << helpText();
        return 0;
    case Options::Mode::Version:
        std::cout << versionText();
        return 0;
    case Options::Mode::Headless:
        return runHeadless(options);
    case Options::Mode::Autopilot:
        return runAutopilot(options);
    case Options::Mode::IconSheet:
    case Options::Mode::Play:
        break;
    }
    return std::nullopt;
}

int reportUsageError(const UsageError& error) {
    std::cerr << "kelvar-raid: " << error.message << "\n"
              << shortUsageText() << "Try 'kelvar-raid --help' for every option.\n";
    return 2;
}

} // namespace kelvar
