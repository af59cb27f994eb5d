// Plays many headless games with the autopilot and with random input, checking the play field
// after every tick, and watches the process's memory between games.
//   kelvar_soak [--seed N] [--ticks N] [--pilot-share F] [--pilot-max-ticks N] [--failures DIR]
//   kelvar_soak --check DEMO      replays a written game with the same checks
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

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

struct Settings {
    std::uint64_t seed = 1;
    long long ticks = 10'000'000;
    double pilotShare = 0.03; // of the ticks, played by the autopilot (it is slow)
    int pilotMaxTicks = 250'000;
    int randomMaxTicks = 100'000;
    double rssGrowthMb = 24;
    std::string failures = ".";
    std::string check;
};

std::string g_crashPath; // where the game in play goes if the process dies

void writeDemo(const std::string& path, const Demo& demo) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << formatDemo(demo);
}

void onDeath() {
    if (const Demo* d = demoInPlay(); d && !g_crashPath.empty()) {
        writeDemo(g_crashPath, *d);
        std::fprintf(stderr, "soak: the game in play is written to %s\n", g_crashPath.c_str());
    }
}

double residentMb() {
    std::ifstream statm("/proc/self/statm");
    long long size = 0, resident = 0;
    statm >> size >> resident;
    return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) / 1048576.0;
}

bool parse(int argc, char** argv, Settings& s) {
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (i + 1 >= argc) return false;
        const char* v = argv[++i];
        if (a == "--seed")
            s.seed = std::strtoull(v, nullptr, 10);
        else if (a == "--ticks")
            s.ticks = std::atoll(v);
        else if (a == "--pilot-share")
            s.pilotShare = std::atof(v);
        else if (a == "--pilot-max-ticks")
            s.pilotMaxTicks = std::atoi(v);
        else if (a == "--failures")
            s.failures = v;
        else if (a == "--check")
            s.check = v;
        else
            return false;
    }
    return s.ticks > 0 && s.pilotMaxTicks > 0;
}

int check(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    auto parsed = parseDemo(in);
    if (auto* err = std::get_if<DemoError>(&parsed)) {
        std::cerr << path << ":" << err->line << ": " << err->message << "\n";
        return 2;
    }
    SoakGame game;
    game.demo = std::get<Demo>(std::move(parsed));
    game.mode = SoakMode::Check;
    const SoakResult r = playSoakGame(game);
    std::cout << summaryJson(r.summary) << "\n";
    if (r.failure.empty()) return 0;
    std::cout << "tick " << r.failedTick << ": " << r.failure << "\n";
    return 1;
}

} // namespace

int main(int argc, char** argv) {
    Settings s;
    if (!parse(argc, argv, s)) {
        std::cerr << "usage: kelvar_soak [--seed N] [--ticks N] [--pilot-share F]\n"
                     "                   [--pilot-max-ticks N] [--failures DIR]\n"
                     "       kelvar_soak --check DEMO\n";
        return 2;
    }
    if (!s.check.empty()) return check(s.check);
#if defined(__SANITIZE_ADDRESS__)
    __sanitizer_set_death_callback(&onDeath);
#endif

    std::mt19937_64 rng(s.seed);
    long long ticks = 0, pilotTicks = 0;
    int games = 0, highest = 0;
    double warmRss = 0, lateRss = 0;
    const long long warmUntil = s.ticks / 4;
    long long nextSample = 0;
    std::cerr << "soak: seed " << s.seed << ", at least " << s.ticks << " ticks\n";

    while (ticks < s.ticks) {
        const bool pilot =
            s.pilotShare > 0 && pilotTicks <= s.pilotShare * static_cast<double>(ticks);
        const SoakGame game = drawGame(rng, pilot ? SoakMode::Pilot : SoakMode::Random,
                                       pilot ? s.pilotMaxTicks : s.randomMaxTicks);
        const std::string path = s.failures + "/soak-seed" + std::to_string(s.seed) + "-game" +
                                 std::to_string(games + 1) + ".demo";
        g_crashPath = path;
        const SoakResult r = playSoakGame(game);
        ++games;
        ticks += r.summary.ticks;
        if (pilot) pilotTicks += r.summary.ticks;
        highest = std::max(highest, r.highestLevel);
        if (!r.failure.empty()) {
            writeDemo(path, r.failedGame);
            std::cout << "soak: FAIL in game " << games << " at tick " << r.failedTick << ": "
                      << r.failure << "\nsoak: the game is written to " << path
                      << "; replay it with: kelvar_soak --check " << path << "\n";
            return 1;
        }
        if (ticks >= nextSample) {
            const double rss = residentMb();
            if (ticks <= warmUntil || warmRss == 0)
                warmRss = std::max(warmRss, rss);
            else
                lateRss = std::max(lateRss, rss);
            nextSample = ticks + std::max<long long>(s.ticks / 100, 1);
            if (pilot || games % 500 == 0)
                std::cerr << "soak: " << ticks << " ticks, " << games << " games, level "
                          << r.highestLevel << " in the last, " << rss << " MB resident\n";
        }
    }
    g_crashPath.clear();

    std::cout << "soak: resident " << warmRss << " MB after the first quarter, at most " << lateRss
              << " MB after it\n";
    if (lateRss > warmRss + s.rssGrowthMb) {
        std::cout << "soak: FAIL: memory grew by " << lateRss - warmRss << " MB\n";
        return 1;
    }
    std::cout << "soak: " << ticks << " ticks, " << games << " games, highest level " << highest
              << "\n";
    return 0;
}
