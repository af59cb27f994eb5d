// Plays many headless games with the autopilot and with random input, checking the play field
// after every tick, and watches the process's memory between games.
//   kelvar_soak [--seed N] [--ticks N] [--pilot-share F] [--pilot-max-ticks N] [--failures DIR]
//   kelvar_soak --check DEMO      replays a written game with the same checks
#ifdef _WIN32
#define NOMINMAX
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
// windows.h first: psapi.h needs its types.
#include <psapi.h>
#else
#include <unistd.h>
#endif

#include <cstdlib>
#include <fstream>
#include <iostream>
#include <map>
#include <string>

#include "tests/soak/soak_player.hpp"

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/common_interface_defs.h>
// A small quarantine, so that the resident size levels off early and growth means a leak.
extern "C" const char* __asan_default_options() {
    return "quarantine_size_mb=16";
}
#endif

namespace {

using namespace kelvar;

std::string g_crashPath; // where the game in play goes if the process dies

void writeDemo(const std::string& path, const Demo& demo) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << formatDemo(demo);
}

[[maybe_unused]] void onDeath() {
    if (const Demo* d = demoInPlay(); d && !g_crashPath.empty()) {
        writeDemo(g_crashPath, *d);
        std::cerr << "soak: the game in play is in " << g_crashPath << "\n";
    }
}

double residentMb() {
#ifdef _WIN32
    PROCESS_MEMORY_COUNTERS counters{};
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return static_cast<double>(counters.WorkingSetSize) / 1048576.0;
#else
    long long size = 0, resident = 0;
    std::ifstream("/proc/self/statm") >> size >> resident;
    return static_cast<double>(resident * sysconf(_SC_PAGESIZE)) / 1048576.0;
#endif
}

int check(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    auto parsed = parseDemo(in);
    if (auto* err = std::get_if<DemoError>(&parsed))
        return std::cerr << path << ":" << err->line << ": " << err->message << "\n", 2;
    const SoakResult r = playSoakGame({std::get<Demo>(std::move(parsed)), SoakMode::Check, 0});
    std::cout << summaryJson(r.summary) << "\n";
    if (!r.failure.empty()) std::cout << "tick " << r.failedTick << ": " << r.failure << "\n";
    return r.failure.empty() ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    std::map<std::string, std::string> arg{
        {"--seed", "1"},           {"--ticks", "10000000"},
        {"--pilot-share", "0.03"}, {"--pilot-max-ticks", "250000"},
        {"--failures", "."},       {"--check", ""}};
    for (int i = 1; i < argc; i += 2) {
        if (i + 1 == argc || !arg.contains(argv[i]))
            return std::cerr << "usage: see the top of tests/soak/soak_main.cpp\n", 2;
        arg[argv[i]] = argv[i + 1];
    }
    if (!arg["--check"].empty()) return check(arg["--check"]);
#if defined(__SANITIZE_ADDRESS__)
    __sanitizer_set_death_callback(&onDeath);
#endif
    const std::uint64_t seed = std::strtoull(arg["--seed"].c_str(), nullptr, 10);
    const long long total = std::atoll(arg["--ticks"].c_str());
    if (total <= 0) return std::cerr << "kelvar_soak: --ticks must be a number above 0\n", 2;
    const double pilotShare = std::atof(arg["--pilot-share"].c_str()); // the autopilot is slow
    const int pilotMaxTicks = std::max(1, std::atoi(arg["--pilot-max-ticks"].c_str()));
    std::mt19937_64 rng(seed);
    long long ticks = 0, pilotTicks = 0;
    int games = 0, highest = 0;
    double warmRss = 0, lateRss = 0;
    while (ticks < total) {
        const bool pilot = pilotShare > 0 && pilotTicks <= pilotShare * static_cast<double>(ticks);
        g_crashPath = arg["--failures"] + "/soak-seed" + std::to_string(seed) + "-game" +
                      std::to_string(++games) + ".demo";
        const SoakResult r = playSoakGame(drawGame(rng, pilot ? SoakMode::Pilot : SoakMode::Random,
                                                   pilot ? pilotMaxTicks : 100'000));
        ticks += r.summary.ticks;
        pilotTicks += pilot ? r.summary.ticks : 0;
        highest = std::max(highest, r.highestLevel);
        if (!r.failure.empty()) {
            writeDemo(g_crashPath, r.failedGame);
            std::cout << "soak: FAIL in game " << games << " at tick " << r.failedTick << ": "
                      << r.failure << "\nsoak: replay it with: kelvar_soak --check " << g_crashPath
                      << "\n";
            return 1;
        }
        double& peak = ticks <= total / 4 || warmRss == 0 ? warmRss : lateRss;
        peak = std::max(peak, residentMb());
    }
    g_crashPath.clear();
    std::cout << "soak: resident " << warmRss << " MB after the first quarter, at most " << lateRss
              << " MB after it\nsoak: " << ticks << " ticks, " << games << " games, highest level "
              << highest << "\n";
    if (lateRss <= warmRss + 24) return 0;
    std::cout << "soak: FAIL: memory grew by " << lateRss - warmRss << " MB\n";
    return 1;
}
