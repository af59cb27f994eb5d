#include "app/autopilot.hpp"

#include <climits>
#include <fstream>
#include <iostream>

#include "app/headless/autopilot.hpp"

namespace kelvar {

int runAutopilot(const Options& options) {
    if (options.autopilotTicks < 1 || options.autopilotTicks > INT_MAX) {
        std::cerr << "kelvar-raid: --autopilot needs a number of ticks from 1 to " << INT_MAX
                  << "\n";
        return 2;
    }
    // Both files are opened before the run, so that a bad path fails at once.
    std::ofstream record(options.recordPath, std::ios::binary | std::ios::trunc);
    if (!record) {
        std::cerr << "kelvar-raid: cannot write demo " << options.recordPath << "\n";
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

    Demo demo;
    demo.speed = "U";
    // The generator keeps 24 bits; the demo file carries the seed as the generator uses it.
    if (options.seed) demo.seed = static_cast<std::uint32_t>(*options.seed % (1u << 24));
    const RunSummary summary = runAutopilot(demo, options.autopilotTicks, trace);

    record << formatDemo(demo);
    record.flush();
    if (!record) {
        std::cerr << "kelvar-raid: writing the demo " << options.recordPath << " failed\n";
        return 2;
    }
    if (traceFile.is_open()) {
        traceFile.flush();
        if (!traceFile) {
            std::cerr << "kelvar-raid: writing the trace " << options.tracePath << " failed\n";
            return 2;
        }
    }
    std::cout << summaryJson(summary) << std::endl;
    return 0;
}

} // namespace kelvar
