#include "app/headless_main.hpp"

#include <fstream>
#include <iostream>

#include "app/headless/runner.hpp"

namespace kelvar {

int runHeadless(const Options& options) {
    std::ifstream in(options.demoPath, std::ios::binary);
    if (!in) {
        std::cerr << "kelvar-raid: cannot read demo " << options.demoPath << "\n";
        return 2;
    }
    auto parsed = parseDemo(in);
    if (auto* err = std::get_if<DemoError>(&parsed)) {
        std::cerr << options.demoPath << ":" << err->line << ": " << err->message << "\n";
        return 2;
    }
    std::ofstream traceFile;
    std::ostream* trace = nullptr;
    if (!options.tracePath.empty()) {
        traceFile.open(options.tracePath, std::ios::binary | std::ios::trunc);
        if (!traceFile) {
            std::cerr << "kelvar-raid: cannot write trace " << options.tracePath << "\n";
            return 2;
        }
        trace = &traceFile;
    }
    const RunSummary s = runDemo(std::get<Demo>(std::move(parsed)), trace);
    std::cout << summaryJson(s) << std::endl;
    if (traceFile.is_open()) {
        traceFile.flush();
        if (!traceFile) {
            std::cerr << "kelvar-raid: writing the trace failed\n";
            return 1;
        }
    }
    return 0;
}

} // namespace kelvar
