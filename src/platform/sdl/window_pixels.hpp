#pragma once
// Where a point of the game's picture is in a window's real pixels: the picture is drawn at
// a whole-number scale, and centred when the window is larger (fullscreen).
#include <SDL.h>

namespace kelvar {

SDL_Point windowPixel(SDL_Window* window, int x, int y);

} // namespace kelvar
