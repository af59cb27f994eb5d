#pragma once
// Without a window manager nobody carries out a window's fullscreen request: the X window keeps
// its size while SDL draws for the screen's, and only a corner of the picture shows; back from
// fullscreen, SDL keeps drawing for the screen. There the game places its window itself.
#include <SDL.h>

namespace kelvar {

// Whether the window is on an X display where no window manager runs.
bool unmanagedWindow(SDL_Window* window);

// On such a display, gives the window the place and size that SDL draws for: the whole screen in
// fullscreen, `windowed` (its own size and place) otherwise. Does nothing under a window manager
// or another video driver.
void fitUnmanagedWindow(SDL_Window* window, const SDL_Rect& windowed);

} // namespace kelvar
