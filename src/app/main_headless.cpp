// The program without a window: the headless runner and the autopilot, for builds that have no
// SDL (the core-only and the Windows builds).
#include <iostream>

#include "app/command_line.hpp"
#include "app/headless_main.hpp"
#include "platform/console.hpp"

int main(int argc, char** argv) {
    using namespace kelvar;
    binaryStandardOutput();
    auto parsed = parseCommandLine(argc, argv);
    if (auto* err = std::get_if<UsageError>(&parsed)) return reportUsageError(*err);
    if (const std::optional<int> code = runWithoutWindow(std::get<Options>(parsed))) return *code;
    std::cerr << "kelvar-raid: this build has no window; use --headless or --autopilot\n";
    return 2;
}
