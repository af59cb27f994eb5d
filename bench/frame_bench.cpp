// Times whole frames (clear, every element, present) of the three windows in real windows:
// the play field while the game runs on the virtual clock, the title screen, and the help
// screen with its speed choice moving as the arrow keys move it.
// Usage: kelvar_frame_bench [FRAMES] [play|title|help] [--detail]
// Prints "median p99 frames" in wall milliseconds; --detail adds a second line with the parts
// of the frame: "draw-p99 present-p99 cpu-median cpu-p99 texts-rasterised allocations".
#include <SDL.h>
#include <SDL_ttf.h>

#include <time.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <new>
#include <string>
#include <vector>

#include "core/playfield/playfield.hpp"
#include "screens/help_screen.hpp"
#include "screens/play_field_view.hpp"
#include "screens/text_cache.hpp"
#include "screens/title_screen.hpp"
#include "screens/widgets.hpp"
#include "support/test_game.hpp"

// Every allocation of the process is counted, so a frame that allocates shows it.
static std::atomic<long> allocations{0};
void* operator new(std::size_t n) {
    ++allocations;
    if (void* p = std::malloc(n ? n : 1)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}

using namespace kelvar;

namespace {

double wallMs() {
    return std::chrono::duration<double, std::milli>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

double cpuMs() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

double at(std::vector<double> v, double q) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, static_cast<std::size_t>(static_cast<double>(v.size()) * q))];
}

struct Samples {
    std::vector<double> frame, draw, present, cpu;
    long allocations = 0;       // during the timed frames
    std::size_t rasterised = 0; // texts rasterised during the timed frames
};

// `step` changes what the next frame shows; `draw` draws it; `present` shows it.
Samples measure(int frames, ui::Window& window, const std::function<void(int)>& step,
                const std::function<void()>& draw) {
    Samples s;
    window.show();
    SDL_Event e;
    // The first frames make the textures; they are the start-up's, not the steady state's.
    for (int i = 0; i < 20; ++i) {
        while (SDL_PollEvent(&e)) {
        }
        step(i);
        draw();
        window.present();
    }
    for (auto* v : {&s.frame, &s.draw, &s.present, &s.cpu}) v->reserve(frames);
    const long a0 = allocations.load();
    const std::size_t r0 = ui::textCache().rendered();
    for (int i = 0; i < frames; ++i) {
        while (SDL_PollEvent(&e)) {
        }
        step(i);
        const double c0 = cpuMs(), a = wallMs();
        draw();
        const double b = wallMs();
        window.present();
        const double z = wallMs(), c1 = cpuMs();
        s.frame.push_back(z - a);
        s.draw.push_back(b - a);
        s.present.push_back(z - b);
        s.cpu.push_back(c1 - c0);
    }
    s.allocations = allocations.load() - a0;
    s.rasterised = ui::textCache().rendered() - r0;
    return s;
}

} // namespace

int main(int argc, char** argv) {
    const int frames = argc > 1 ? std::max(1, std::atoi(argv[1])) : 2000;
    const std::string which = argc > 2 ? argv[2] : "play";
    const bool detail = argc > 3 && std::strcmp(argv[3], "--detail") == 0;
    ui::preferSoftwareRenderer(); // as the game does
    if (SDL_Init(SDL_INIT_VIDEO) != 0 || TTF_Init() != 0) {
        std::fprintf(stderr, "frame_bench: %s\n", SDL_GetError());
        return 1;
    }
    Samples s;
    {
        testing::TestGame t;
        auto run = [&](ui::Window& w, const std::function<void(int)>& step,
                       const std::function<void()>& draw) { s = measure(frames, w, step, draw); };
        if (which == "play") {
            t.start();
            PlayFieldView view;
            run(
                view.window(),
                [&](int) {
                    if (t.game.el.Timer1.Interval != 0) Timer1_Timer(t.game);
                },
                [&] { view.draw(t.game); });
        } else if (which == "title") {
            TitleScreen title({});
            run(
                title.window(), [](int) {}, [&] { title.form().draw(); });
        } else if (which == "help") {
            HelpScreen help({});
            run(
                help.window(), [&](int i) { help.selectOption(i / 50 % 4); },
                [&] { help.form().draw(); });
        } else {
            std::fprintf(stderr, "frame_bench: play, title or help\n");
            return 2;
        }
    }
    std::printf("%.3f %.3f %zu\n", at(s.frame, 0.5), at(s.frame, 0.99), s.frame.size());
    if (detail)
        std::printf("%.3f %.3f %.3f %.3f %zu %ld\n", at(s.draw, 0.99), at(s.present, 0.99),
                    at(s.cpu, 0.5), at(s.cpu, 0.99), s.rasterised, s.allocations);
    ui::closeFonts();
    TTF_Quit();
    SDL_Quit();
    return 0;
}
