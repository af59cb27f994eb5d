#include "app/command_line.hpp"

#include <charconv>
#include <string_view>

namespace kelvar {

std::string usageText() {
    return "usage: kelvar-raid [--seed N] [--trace FILE] [--scale N] [--fullscreen]\n"
           "       kelvar-raid --demo DEMO [--trace FILE]\n"
           "       kelvar-raid --headless DEMO [--trace FILE]\n"
           "       kelvar-raid --autopilot TICKS --record DEMO [--trace FILE] [--seed N]\n"
           "       kelvar-raid --icon-sheet FILE.png\n";
}

std::variant<Options, UsageError> parseCommandLine(int argc, char** argv) {
    Options o;
    auto value = [&](int& i, std::string_view name) -> std::optional<std::string> {
        if (i + 1 >= argc) return std::nullopt;
        (void)name;
        return std::string(argv[++i]);
    };
    for (int i = 1; i < argc; ++i) {
        const std::string_view a = argv[i];
        if (a == "--help" || a == "-h") {
            o.mode = Options::Mode::Help;
        } else if (a == "--version") {
            o.mode = Options::Mode::Version;
        } else if (a == "--fullscreen") {
            o.fullscreen = true;
        } else if (a == "--scale") {
            auto v = value(i, a);
            int n = 0;
            const char* end = v ? v->data() + v->size() : nullptr;
            if (!v || std::from_chars(v->data(), end, n).ptr != end || v->empty() || n < 1 || n > 8)
                return UsageError{"--scale needs a whole number from 1 to 8"};
            o.scale = n;
        } else if (a == "--headless" || a == "--demo" || a == "--trace" || a == "--icon-sheet" ||
                   a == "--record" || a == "--seed" || a == "--autopilot") {
            auto v = value(i, a);
            if (!v) return UsageError{std::string(a) + " needs a value"};
            if (a == "--headless") {
                o.mode = Options::Mode::Headless;
                o.demoPath = *v;
            } else if (a == "--demo") {
                o.demoPath = *v;
            } else if (a == "--trace") {
                o.tracePath = *v;
            } else if (a == "--icon-sheet") {
                o.mode = Options::Mode::IconSheet;
                o.sheetPath = *v;
            } else if (a == "--record") {
                o.recordPath = *v;
            } else {
                std::uint64_t n = 0;
                auto [p, ec] = std::from_chars(v->data(), v->data() + v->size(), n);
                if (ec != std::errc() || p != v->data() + v->size())
                    return UsageError{std::string(a) + " needs a whole number >= 0"};
                if (a == "--seed") {
                    o.seed = n;
                } else {
                    o.mode = Options::Mode::Autopilot;
                    o.autopilotTicks = static_cast<long>(n);
                }
            }
        } else {
            return UsageError{"unknown argument: " + std::string(a)};
        }
    }
    if (o.mode == Options::Mode::Autopilot && o.recordPath.empty())
        return UsageError{"--autopilot needs --record FILE"};
    return o;
}

} // namespace kelvar
