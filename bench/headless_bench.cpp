// The rules' own speed: replays demos headless in this one process and times only the ticks,
// in process CPU time, with no trace written.
//   kelvar_headless_bench [--repeat N] DEMO...   prints "play_ticks T cpu_seconds S"
//   kelvar_headless_bench --digest DEMO...       prints a digest of the whole game state after
//                                                every tick, star colours included, per demo
// Under callgrind, --toggle-collect='kelvar::bench::playToEnd*' counts the timed part alone.
#include <time.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "core/playfield/playfield.hpp"
#include "headless/runner.hpp"
#include "session/demo.hpp"

namespace kelvar::bench {

std::optional<Demo> load(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    auto parsed = parseDemo(in);
    if (in.bad() || !in.is_open()) {
        std::fprintf(stderr, "kelvar_headless_bench: cannot read %s\n", path.c_str());
        return std::nullopt;
    }
    if (auto* err = std::get_if<DemoError>(&parsed)) {
        std::fprintf(stderr, "%s:%lld: %s\n", path.c_str(), static_cast<long long>(err->line),
                     err->message.c_str());
        return std::nullopt;
    }
    return std::get<Demo>(std::move(parsed));
}

double cpuSeconds() {
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

// Kept out of line so that callgrind can count exactly these instructions.
[[gnu::noinline]] void playToEnd(DemoRun& run) {
    while (run.step()) {
    }
}

// FNV-1a over the bytes of each value: any change in any rule's output changes it.
class Digest {
  public:
    template <typename T> void add(const T& v) {
        unsigned char bytes[sizeof(T)];
        std::memcpy(bytes, &v, sizeof(T));
        for (unsigned char b : bytes) h_ = (h_ ^ b) * 1099511628211ull;
    }
    void add(const std::string& s) {
        for (char c : s) add(c);
        add('\0');
    }
    void add(const Sprite& s) {
        add(s.Left);
        add(s.Top);
        add(s.Visible);
        add(s.Picture);
    }
    std::uint64_t value() const { return h_; }

  private:
    std::uint64_t h_ = 14695981039346656037ull;
};

void addGame(Digest& d, const Game& g) {
    const State& st = g.st;
    const Elements& el = g.el;
    for (auto v : {st.MInterval, st.Motion, st.iLevel, st.iEnmyLeft, st.iEnmyTl, st.PToggle,
                   st.iERes1, st.iERes2, st.iLossVar, st.TDel})
        d.add(v);
    d.add(st.iScore);
    d.add(st.iTopScore);
    for (bool f : {st.Rocket, st.PowerCame, st.SendIt, st.GameOver}) d.add(f);
    for (std::size_t k = 0; k < kEnemies; ++k) {
        d.add(st.iGo[k]);
        d.add(st.iGG[k]);
        d.add(st.iDD[k]);
        d.add(el.EmySpot[k]);
    }
    for (const Sprite& b : el.Bomb) d.add(b);
    for (const Sprite* s : {&el.PlrShip, &el.PMissl, &el.Power}) d.add(*s);
    for (const StarShape& s : el.Star) {
        d.add(s.Left);
        d.add(s.Top);
        d.add(s.FillColor);
        d.add(s.BackColor);
        d.add(s.BorderColor);
    }
    d.add(el.Shape1.Top);
    d.add(el.LifeBar.Width);
    d.add(el.LifeBar.BackColor);
    d.add(el.LifeBar.Visible);
    d.add(el.BackColor);
    for (const Label* l : {&el.ScoreLbl, &el.TopScoreLbl, &el.LevelLbl, &el.LossesLbl, &el.EnmyLbl,
                           &el.Gover, &el.GShotLbl, &el.PauseTL, &el.CHL}) {
        d.add(l->Caption);
        d.add(l->ForeColor);
        d.add(l->Visible);
    }
    d.add(el.Timer1.Interval);
    d.add(g.rng.state());
}

int digest(const std::vector<Demo>& demos, const std::vector<std::string>& paths) {
    for (std::size_t i = 0; i < demos.size(); ++i) {
        DemoRun run(demos[i]);
        Digest d;
        while (run.step()) addGame(d, run.game());
        std::printf("%016llx %d %s\n", static_cast<unsigned long long>(d.value()),
                    run.summary().ticks, paths[i].c_str());
    }
    return 0;
}

int measure(const std::vector<Demo>& demos, int repeat) {
    long long ticks = 0;
    double seconds = 0;
    for (int r = 0; r < repeat; ++r) {
        for (const Demo& demo : demos) {
            DemoRun run(demo); // the copy and the set-up are not timed
            const double t0 = cpuSeconds();
            playToEnd(run);
            seconds += cpuSeconds() - t0;
            ticks += run.playTicks();
        }
    }
    std::printf("play_ticks %lld cpu_seconds %.6f\n", ticks, seconds);
    return 0;
}

} // namespace kelvar::bench

int main(int argc, char** argv) {
    using namespace kelvar;
    int repeat = 1;
    bool digest = false;
    std::vector<std::string> paths;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--repeat" && i + 1 < argc)
            repeat = std::atoi(argv[++i]);
        else if (a == "--digest")
            digest = true;
        else
            paths.push_back(a);
    }
    if (paths.empty() || repeat < 1) {
        std::fprintf(stderr, "usage: kelvar_headless_bench [--repeat N | --digest] DEMO...\n");
        return 2;
    }
    std::vector<Demo> demos;
    for (const std::string& p : paths) {
        auto demo = bench::load(p);
        if (!demo) return 2;
        demos.push_back(std::move(*demo));
    }
    return digest ? bench::digest(demos, paths) : bench::measure(demos, repeat);
}
