#pragma once
// SDL 2.26 under Wayland never takes down the decorations of a window it destroys: the
// compositor's next word to them (the window losing the focus, a moment later) reaches the freed
// window and the program crashes. Under Wayland a window that is done with is therefore hidden
// and parked instead, and the next window of the same size takes it back: the screens come and
// go in a few sizes, so a handful of windows serve the whole session.
#include <SDL.h>

namespace kelvar {

// Under Wayland, hides `window` (out of fullscreen) and keeps it for reuse: returns true, and the
// caller must not destroy it. Under other drivers returns false.
bool parkWindow(SDL_Window* window);

// A parked window whose client area is `w` by `h`, taken out of the park; null when none is.
SDL_Window* unparkWindow(int w, int h);

} // namespace kelvar
