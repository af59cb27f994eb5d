#include "platform/sdl/window_pixels.hpp"

#include <algorithm>
#include <cmath>

namespace kelvar {

SDL_Point windowPixel(SDL_Window* window, int x, int y) {
    SDL_Renderer* r = window ? SDL_GetRenderer(window) : nullptr;
    if (!r) return {x, y};
    float sx = 1, sy = 1;
    SDL_RenderGetScale(r, &sx, &sy);
    int lw = 0, lh = 0, ww = 0, wh = 0;
    SDL_RenderGetLogicalSize(r, &lw, &lh);
    SDL_GetWindowSize(window, &ww, &wh);
    const int s = std::max(1, static_cast<int>(std::lround(sx)));
    // SDL centres the picture the same way, in whole pixels.
    const int offX = lw > 0 ? std::max(0, (ww - lw * s) / 2) : 0;
    const int offY = lh > 0 ? std::max(0, (wh - lh * s) / 2) : 0;
    return {offX + x * s, offY + y * s};
}

} // namespace kelvar
