#include "app/command_line.hpp"

#include <array>
#include <charconv>
#include <climits>
#include <filesystem>
#include <string_view>

#ifndef KELVAR_VERSION
#error "KELVAR_VERSION must come from the build (the project version)"
#endif

namespace kelvar {
namespace {

// What the program is asked to do; every option says in which of these it makes sense.
enum Run : unsigned {
    kWindow = 1u << 0,    // play in the window
    kReplay = 1u << 1,    // --demo: replay in the window
    kHeadless = 1u << 2,  // --headless
    kAutopilot = 1u << 3, // --autopilot
    kIconSheet = 1u << 4, // --icon-sheet
    kAnyRun = kWindow | kReplay | kHeadless | kAutopilot | kIconSheet,
};

enum class Id {
    Seed,
    Scale,
    Fullscreen,
    Record,
    Trace,
    Demo,
    Headless,
    Autopilot,
    IconSheet,
    Help,
    Version
};

struct OptionInfo {
    Id id;
    std::string_view name;
    std::string_view value; // empty: a switch without a value
    unsigned runs;          // the runs it may be given in
    unsigned selects;       // the run it selects, 0 for none
    std::string_view help;
};

constexpr std::array kOptions{
    OptionInfo{Id::Seed, "--seed", "N", kWindow | kAutopilot, 0,
               "start the random sequence at N, a whole number >= 0"},
    OptionInfo{Id::Scale, "--scale", "N", kWindow | kReplay, 0,
               "windows at N times their size, 1 to 8 (default: fit the desktop)"},
    OptionInfo{Id::Fullscreen, "--fullscreen", "", kWindow | kReplay, 0,
               "start the play field in desktop fullscreen"},
    OptionInfo{Id::Record, "--record", "FILE", kWindow | kAutopilot, 0,
               "write the game played to FILE as a demo"},
    OptionInfo{Id::Trace, "--trace", "FILE", kWindow | kReplay | kHeadless | kAutopilot, 0,
               "write the game's state to FILE, one line per tick"},
    OptionInfo{Id::Demo, "--demo", "DEMO", kReplay, kReplay,
               "replay the demo file DEMO in the window"},
    OptionInfo{Id::Headless, "--headless", "DEMO", kHeadless, kHeadless,
               "replay the demo file DEMO without a window, then exit"},
    OptionInfo{Id::Autopilot, "--autopilot", "TICKS", kAutopilot, kAutopilot,
               "the built-in player plays TICKS ticks (needs --record)"},
    OptionInfo{Id::IconSheet, "--icon-sheet", "FILE.png", kIconSheet, kIconSheet,
               "write every picture of the game to FILE.png, then exit"},
    OptionInfo{Id::Help, "--help", "", kAnyRun, 0, "show this help, then exit"},
    OptionInfo{Id::Version, "--version", "", kAnyRun, 0, "show the version, then exit"},
};

constexpr std::array kRunOrder{kWindow, kReplay, kHeadless, kAutopilot, kIconSheet};

const OptionInfo* findOption(std::string_view name) {
    if (name == "-h") name = "--help";
    for (const auto& option : kOptions)
        if (option.name == name) return &option;
    return nullptr;
}

const OptionInfo& optionInfo(Id id) {
    for (const auto& s : kOptions)
        if (s.id == id) return s;
    return kOptions.front(); // every Id has an entry
}

template <typename T> std::optional<T> wholeNumber(std::string_view text, T low, T high) {
    T n{};
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), n);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
    if (n < low || n > high) return std::nullopt;
    return n;
}

UsageError badValue(const OptionInfo& s, std::string_view value, std::string_view wanted) {
    return {std::string(s.name) + " needs " + std::string(wanted) + ", not '" + std::string(value) +
            "'"};
}

// An output over the input or over the other output would destroy a file the player wants kept.
bool sameFile(const std::string& a, const std::string& b) {
    if (a.empty() || b.empty()) return false;
    std::error_code ec;
    if (std::filesystem::equivalent(a, b, ec)) return true;
    auto normal = [](const std::string& p) {
        std::error_code e;
        const auto full = std::filesystem::weakly_canonical(std::filesystem::absolute(p, e), e);
        return e ? std::filesystem::path(p) : full;
    };
    return normal(a) == normal(b);
}

std::string optionWithValue(const OptionInfo& s) {
    return s.value.empty() ? std::string(s.name) : std::string(s.name) + " " + std::string(s.value);
}

} // namespace

std::string versionText() {
    return "kelvar-raid " KELVAR_VERSION "\n";
}

std::string helpText() {
    std::string text = "usage: kelvar-raid [OPTION]...\n"
                       "Play Kelvar Raid, or replay, record and check games.\n\n";
    std::size_t width = 0;
    for (const auto& s : kOptions) width = std::max(width, optionWithValue(s).size());
    for (const auto& s : kOptions) {
        const std::string left = optionWithValue(s);
        text +=
            "  " + left + std::string(width - left.size() + 2, ' ') + std::string(s.help) + "\n";
    }
    return text;
}

std::string shortUsageText() {
    std::string text;
    for (const unsigned run : kRunOrder) {
        text += text.empty() ? "usage: kelvar-raid" : "       kelvar-raid";
        for (const auto& s : kOptions)
            if (s.selects == run) text += " " + optionWithValue(s);
        for (const auto& s : kOptions) {
            if (s.selects || !(s.runs & run) || s.runs == kAnyRun) continue;
            const bool required = run == kAutopilot && s.id == Id::Record;
            text += required ? " " + optionWithValue(s) : " [" + optionWithValue(s) + "]";
        }
        text += "\n";
    }
    text += "       kelvar-raid --help | --version\n";
    return text;
}

namespace {

// Every option given, with its raw value (empty for a switch), by its place in kOptions.
using Given = std::array<std::optional<std::string>, kOptions.size()>;

// Collects every option with its raw value, so that combinations can be judged whole.
std::optional<UsageError> collect(int argc, const char* const* argv, Given& given) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        const std::size_t eq = arg.starts_with("--") ? arg.find('=') : std::string_view::npos;
        const OptionInfo* s = findOption(arg.substr(0, eq));
        if (!s) {
            return UsageError{
                (arg.starts_with("-") ? "unknown option: " : "unexpected argument: ") +
                std::string(arg)};
        }
        auto& slot = given[static_cast<std::size_t>(s - kOptions.data())];
        if (slot) return UsageError{std::string(s->name) + " is given twice"};
        if (s->value.empty()) {
            if (eq != std::string_view::npos)
                return UsageError{std::string(s->name) + " takes no value"};
            slot = std::string();
            continue;
        }
        std::string_view value;
        if (eq != std::string_view::npos) {
            value = arg.substr(eq + 1);
        } else if (i + 1 < argc && !std::string_view(argv[i + 1]).starts_with("--")) {
            value = argv[++i]; // a following option is a forgotten value, not a file name
        }
        if (value.empty())
            return UsageError{std::string(s->name) + " needs a value: " + optionWithValue(*s)};
        slot = std::string(value);
    }
    return std::nullopt;
}

// At most one option may select what to run; the rest must make sense there.
std::optional<UsageError> checkRun(const Given& given) {
    const OptionInfo* selector = nullptr;
    for (std::size_t k = 0; k < kOptions.size(); ++k) {
        if (!given[k] || !kOptions[k].selects) continue;
        if (selector)
            return UsageError{std::string(selector->name) + " and " +
                              std::string(kOptions[k].name) + " cannot be used together"};
        selector = &kOptions[k];
    }
    const unsigned run = selector ? selector->selects : kWindow;
    for (std::size_t k = 0; k < kOptions.size(); ++k) {
        if (!given[k] || (kOptions[k].runs & run)) continue;
        return UsageError{std::string(kOptions[k].name) + " cannot be used with " +
                          (selector ? std::string(selector->name) : "a game in the window")};
    }
    return std::nullopt;
}

// Takes one option's value into `o`.
std::optional<UsageError> apply(const OptionInfo& s, const std::string& v, Options& o) {
    switch (s.id) {
    case Id::Seed:
        if (!(o.seed = wholeNumber<std::uint64_t>(v, 0, UINT64_MAX)))
            return badValue(s, v, "a whole number >= 0");
        break;
    case Id::Scale:
        if (!(o.scale = wholeNumber<int>(v, 1, 8)))
            return badValue(s, v, "a whole number from 1 to 8");
        break;
    case Id::Fullscreen:
        o.fullscreen = true;
        break;
    case Id::Record:
        o.recordPath = v;
        break;
    case Id::Trace:
        o.tracePath = v;
        break;
    case Id::Demo:
        o.demoPath = v;
        break;
    case Id::Headless:
        o.mode = Options::Mode::Headless;
        o.demoPath = v;
        break;
    case Id::Autopilot: {
        const auto ticks = wholeNumber<long>(v, 1, INT_MAX);
        if (!ticks) return badValue(s, v, "a whole number of ticks from 1 to 2147483647");
        o.mode = Options::Mode::Autopilot;
        o.autopilotTicks = *ticks;
        break;
    }
    case Id::IconSheet:
        o.mode = Options::Mode::IconSheet;
        o.sheetPath = v;
        break;
    case Id::Help:
    case Id::Version:
        break;
    }
    return std::nullopt;
}

// The files named must not destroy one another.
std::optional<UsageError> checkFiles(const Options& o) {
    if (o.mode == Options::Mode::Autopilot && o.recordPath.empty())
        return UsageError{"--autopilot needs --record FILE"};
    if (sameFile(o.tracePath, o.recordPath))
        return UsageError{"--trace and --record cannot write the same file"};
    if (sameFile(o.tracePath, o.demoPath))
        return UsageError{"--trace cannot overwrite the demo file it replays"};
    return std::nullopt;
}

} // namespace

std::variant<Options, UsageError> parseCommandLine(int argc, const char* const* argv) {
    Given given;
    if (auto err = collect(argc, argv, given)) return *err;
    const auto has = [&](Id id) {
        return given[static_cast<std::size_t>(&optionInfo(id) - kOptions.data())].has_value();
    };
    Options o;
    if (has(Id::Help) || has(Id::Version)) {
        o.mode = has(Id::Help) ? Options::Mode::Help : Options::Mode::Version;
        return o;
    }
    if (auto err = checkRun(given)) return *err;
    for (std::size_t k = 0; k < kOptions.size(); ++k)
        if (given[k])
            if (auto err = apply(kOptions[k], *given[k], o)) return *err;
    if (auto err = checkFiles(o)) return *err;
    return o;
}

} // namespace kelvar
