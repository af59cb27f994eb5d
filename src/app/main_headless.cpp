// The program without a window: the headless runner and the autopilot, for builds that have no
// SDL (the core-only and the Windows builds).
#include <iostream>

#include "app/autopilot.hpp"
#include "app/command_line.hpp"
#include "app/headless_main.hpp"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <stdio.h>
#endif

int main(int argc, char** argv) {
    using namespace kelvar;
#ifdef _WIN32
    // The summary line is read by programs: the same bytes as on Linux, no CR added.
    _setmode(_fileno(stdout), _O_BINARY);
#endif
    auto parsed = parseCommandLine(argc, argv);
    if (auto* err = std::get_if<UsageError>(&parsed)) {
        std::cerr << "kelvar-raid: " << err->message << "\n"
                  << shortUsageText() << "Try 'kelvar-raid --help' for every option.\n";
        return 2;
    }
    const Options& o = std::get<Options>(parsed);
    switch (o.mode) {
    case Options::Mode::Help:
        std::cout << helpText();
        return 0;
    case Options::Mode::Version:
        std::cout << versionText();
        return 0;
    case Options::Mode::Headless:
        return runHeadless(o);
    case Options::Mode::Autopilot:
        return runAutopilot(o);
    case Options::Mode::IconSheet:
    case Options::Mode::Play:
        break;
    }
    std::cerr << "kelvar-raid: this build has no window; use --headless or --autopilot\n";
    return 2;
}
