// Windows has no X display: the X11 error handler and the window manager's absence are X's
// alone, and every Windows desktop places and sizes windows itself.
#include "platform/sdl/unmanaged_window.hpp"
#include "platform/sdl/x11_errors.hpp"

namespace kelvar {

void survivableX11Errors() {}

bool unmanagedWindow(SDL_Window*) {
    return false;
}

void fitUnmanagedWindow(SDL_Window*, const SDL_Rect&) {}

} // namespace kelvar
