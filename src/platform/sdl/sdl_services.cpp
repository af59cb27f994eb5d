#include "platform/sdl/sdl_services.hpp"

#include <algorithm>

#include "core/base/twips.hpp"
#include "platform/sdl/window_pixels.hpp"

namespace kelvar {

bool SdlPointer::setCursorPosition(std::int32_t xTwips, std::int32_t yTwips) {
    if (!window_) return false;
    int wx = 0, wy = 0;
    SDL_GetWindowPosition(window_, &wx, &wy);
    const SDL_Point p = windowPixel(window_, twipsToPixels(xTwips), twipsToPixels(yTwips));
    return SDL_WarpMouseGlobal(wx + p.x, wy + p.y) == 0;
}

// Delay 0..3 stands for 250..1000 ms; speed 0..31 for about 2.5..30 repeats a second.
bool WindowKeyRepeat::setKeyBoardDelay(std::int32_t delay) {
    if (delay < 0 || delay > 3) return false;
    delayMs_ = static_cast<std::uint32_t>(250 * (delay + 1));
    return true;
}

bool WindowKeyRepeat::setKeyBoardSpeed(std::int32_t speed) {
    if (speed < 0 || speed > 31) return false;
    periodMs_ = static_cast<std::uint32_t>(400 - (400 - 33) * speed / 31);
    return true;
}

} // namespace kelvar
