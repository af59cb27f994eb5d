// Opening the display on Windows: there is always one, through SDL's "windows" driver (another
// only when SDL_VIDEODRIVER names it, as tests do). No X or Wayland to choose between.
#include <SDL.h>

#include "platform/sdl/display.hpp"

namespace kelvar {

bool openSdlDisplay(std::string& message) {
    // A click that brings a window to the front is a click on it too.
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
    const char* asked = SDL_getenv("SDL_VIDEODRIVER");
    const std::string driver = asked && *asked ? asked : "windows";
    SDL_SetHint(SDL_HINT_VIDEODRIVER, driver.c_str());
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS | SDL_INIT_TIMER) == 0) return true;
    message = "cannot start the video driver " + driver + ": " + SDL_GetError();
    SDL_Quit();
    return false;
}

} // namespace kelvar
