#include "app/autopilot.hpp"

#include <climits>
#include <fstream>
#include <iostream>

#include "app/headless_main.hpp"
#include "headless/autopilot.hpp"

namespace kelvar {

int runAutopilot(const Options& options) {
    if (options.autopilotTicks < 1 || options.autopilotTicks > INT_MAX) {
        std::cerr << "kelvar-raid: --autopilot needs a number of ticks from 1 to " << INT_MAX
                  << "\n";
        return 2;
    }
    // Both files are opened before the run, so that a bad path fails at once.
    std::ofstream record, traceFile;
    if (!openOutput(options.recordPath, record, "demo")) return 2;
    if (!options.tracePath.empty() && !openOutput(options.tracePath, traceFile, "trace")) return 2;
    std::ostream* trace = traceFile.is_open() ? &traceFile : nullptr;

    Demo demo;
    demo.speed = "U";
    // The generator keeps 24 bits; the demo file carries the seed as the generator uses it.
    if (options.seed) demo.seed = static_cast<std::uint32_t>(*options.seed % (1u << 24));
    const RunSummary summary = runAutopilot(demo, options.autopilotTicks, trace);

    record << formatDemo(demo);
    if (!finishOutput(options.recordPath, record, "demo")) return 2;
    if (!finishOutput(options.tracePath, traceFile, "trace")) return 2;
    std::cout << summaryJson(summary) << std::endl;
    return 0;
}

} // namespace kelvar
