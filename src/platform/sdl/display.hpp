#pragma once
// Opening the display. The game needs a real one: SDL would otherwise fall back quietly to a
// driver that draws nowhere, and the game would run invisibly forever.
#include <functional>
#include <string>

namespace kelvar {

// What the environment asks of the video driver.
struct DisplayEnvironment {
    std::string videoDriver;    // SDL_VIDEODRIVER, empty when unset
    std::string display;        // DISPLAY
    std::string waylandDisplay; // WAYLAND_DISPLAY
};
DisplayEnvironment displayEnvironment();

// The driver list to ask SDL for: the environment's (tests ask for "offscreen" by name), or
// the ones that show a window.
std::string videoDriversToTry(const DisplayEnvironment& env);

// Starts SDL's video, events and timer. `init(drivers)` starts them on the first of `drivers`
// that works and returns the driver's name, or empty with `error` set. A display that refuses
// a connection for a moment (a busy X server does) is tried again a few times. On failure
// returns false with one line for the player in `message`.
bool openDisplay(
    const DisplayEnvironment& env,
    const std::function<std::string(const std::string& drivers, std::string& error)>& init,
    const std::function<void(int ms)>& pause, std::string& message);

// The same with SDL itself.
bool openSdlDisplay(std::string& message);

} // namespace kelvar
