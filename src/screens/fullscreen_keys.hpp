#pragma once
// Alt+Enter and F11 switch the play field between its window and the whole screen. They are the
// program's keys, not the game's: the game never sees them, held or repeated.
#include <SDL.h>

#include "screens/ui.hpp"

namespace kelvar {

// Whether a key press is one of the fullscreen keys.
bool isFullscreenKey(const SDL_Keysym& key);

// Takes the fullscreen keys out of a window's events: on the first press (not on the desktop's
// repeats) the window goes fullscreen or back. Returns true when the event was one of them.
bool takeFullscreenKey(const SDL_Event& e, ui::Window& window);

} // namespace kelvar
