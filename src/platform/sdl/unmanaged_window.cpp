#include "platform/sdl/unmanaged_window.hpp"

#include <SDL_syswm.h>
#include <X11/Xlib.h>

namespace kelvar {

namespace {
bool x11Info(SDL_Window* window, SDL_SysWMinfo& info) {
    SDL_VERSION(&info.version);
    return window && SDL_GetWindowWMInfo(window, &info) && info.subsystem == SDL_SYSWM_X11;
}
} // namespace

bool unmanagedWindow(SDL_Window* window) {
    SDL_SysWMinfo info;
    if (!x11Info(window, info)) return false;
    Display* display = info.info.x11.display;
    // A window manager is the one client that redirects the root window's children.
    XWindowAttributes root{};
    if (!XGetWindowAttributes(display, DefaultRootWindow(display), &root)) return false;
    return (root.all_event_masks & SubstructureRedirectMask) == 0;
}

void fitUnmanagedWindow(SDL_Window* window, const SDL_Rect& windowed) {
    if (!unmanagedWindow(window)) return;
    if (!(SDL_GetWindowFlags(window) & SDL_WINDOW_FULLSCREEN)) {
        // SDL still holds the screen's size, which only a window manager would have changed.
        SDL_SetWindowSize(window, windowed.w, windowed.h);
        SDL_SetWindowPosition(window, windowed.x, windowed.y);
        return;
    }
    SDL_Rect screen{0, 0, 0, 0};
    SDL_SysWMinfo info;
    if (SDL_GetDisplayBounds(SDL_max(0, SDL_GetWindowDisplayIndex(window)), &screen) != 0 ||
        !x11Info(window, info))
        return;
    Display* display = info.info.x11.display;
    XMoveResizeWindow(display, info.info.x11.window, screen.x, screen.y,
                      static_cast<unsigned>(screen.w), static_cast<unsigned>(screen.h));
    XRaiseWindow(display, info.info.x11.window);
    XFlush(display);
}

} // namespace kelvar
