#include "platform/sdl/parked_windows.hpp"

#include <algorithm>
#include <cstring>
#include <vector>

namespace kelvar {

namespace {
std::vector<SDL_Window*>& parked() {
    static std::vector<SDL_Window*> windows;
    return windows;
}
} // namespace

bool parkWindow(SDL_Window* window) {
    const char* driver = SDL_GetCurrentVideoDriver();
    if (!window || !driver || std::strcmp(driver, "wayland") != 0) return false;
    SDL_SetWindowFullscreen(window, 0);
    SDL_HideWindow(window);
    parked().push_back(window);
    return true;
}

SDL_Window* unparkWindow(int w, int h) {
    auto& windows = parked();
    const auto it = std::find_if(windows.begin(), windows.end(), [&](SDL_Window* window) {
        int ww = 0, wh = 0;
        SDL_GetWindowSize(window, &ww, &wh);
        return ww == w && wh == h;
    });
    if (it == windows.end()) return nullptr;
    SDL_Window* window = *it;
    windows.erase(it);
    return window;
}

} // namespace kelvar
