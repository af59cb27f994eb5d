#include <iostream>

#include "app/command_line.hpp"
#include "app/headless_main.hpp"

int main(int argc, char** argv) {
    using namespace kelvar;
    auto parsed = parseCommandLine(argc, argv);
    if (auto* err = std::get_if<UsageError>(&parsed)) {
        std::cerr << "kelvar-raid: " << err->message << "\n" << usageText();
        return 2;
    }
    const Options& o = std::get<Options>(parsed);
    switch (o.mode) {
    case Options::Mode::Help: std::cout << usageText(); return 0;
    case Options::Mode::Version: std::cout << "kelvar-raid 1.0.0\n"; return 0;
    case Options::Mode::Headless: return runHeadless(o);
    default: break;
    }
    std::cerr << "kelvar-raid: not available yet\n";
    return 1;
}
