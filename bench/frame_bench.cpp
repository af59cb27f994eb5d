// Times whole play field frames (clear, every element, present) in a real window while the
// game runs on the virtual clock; prints the median and the 99th percentile in milliseconds.
#include <SDL.h>
#include <SDL_ttf.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "playfield/playfield.hpp"
#include "screens/play_field_view.hpp"
#include "support/test_game.hpp"

int main(int argc, char** argv) {
    const int frames = argc > 1 ? std::atoi(argv[1]) : 2000;
    kelvar::ui::preferSoftwareRenderer(); // as the game does
    if (SDL_Init(SDL_INIT_VIDEO) != 0 || TTF_Init() != 0) {
        std::fprintf(stderr, "frame_bench: %s\n", SDL_GetError());
        return 1;
    }
    std::vector<double> ms;
    {
        kelvar::testing::TestGame t;
        t.start();
        kelvar::PlayFieldView view;
        view.window().show();
        SDL_Event e;
        for (int i = 0; i < frames; ++i) {
            while (SDL_PollEvent(&e)) {
            }
            if (t.game.el.Timer1.Interval != 0) kelvar::Timer1_Timer(t.game);
            const auto a = std::chrono::steady_clock::now();
            view.render(t.game);
            const auto b = std::chrono::steady_clock::now();
            ms.push_back(std::chrono::duration<double, std::milli>(b - a).count());
        }
    }
    std::sort(ms.begin(), ms.end());
    std::printf("%.3f %.3f %zu\n", ms[ms.size() / 2], ms[ms.size() * 99 / 100], ms.size());
    kelvar::ui::closeFonts();
    TTF_Quit();
    SDL_Quit();
    return 0;
}
