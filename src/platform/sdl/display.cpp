#include "platform/sdl/display.hpp"

#include "platform/sdl/x11_errors.hpp"

#include <SDL.h>

#include <cstdlib>
#include <filesystem>
#include <iostream>

namespace kelvar {

namespace {
constexpr int kAttempts = 8;
constexpr int kPauseMs = 50;

std::string envOr(const char* name) {
    const char* v = std::getenv(name);
    return v ? v : "";
}
// Under Wayland SDL draws the windows' title bars through libdecor, which needs one of its
// plugins. Without one it says so in two lines and draws none; the game says it in one line and
// leaves libdecor out.
void checkDecorationPlugin() {
    const char* dir = std::getenv("LIBDECOR_PLUGIN_DIR");
    std::error_code ec;
    for (const auto& entry :
         std::filesystem::directory_iterator(dir ? dir : KELVAR_LIBDECOR_PLUGIN_DIR, ec))
        if (entry.path().filename().string().starts_with("libdecor-")) return;
    std::cerr << "kelvar-raid: no window decoration plugin (install libdecor-0-plugin-1-cairo): "
                 "the windows have no title bar under Wayland\n";
    SDL_SetHint("SDL_VIDEO_WAYLAND_ALLOW_LIBDECOR", "0");
}
} // namespace

DisplayEnvironment displayEnvironment() {
    return {envOr("SDL_VIDEODRIVER"), envOr("DISPLAY"), envOr("WAYLAND_DISPLAY")};
}

// Only drivers that show a window: SDL's own list ends with ones that draw into memory.
std::string videoDriversToTry(const DisplayEnvironment& env) {
    if (!env.videoDriver.empty()) return env.videoDriver;
    std::string list;
    if (!env.display.empty()) list = "x11";
    if (!env.waylandDisplay.empty()) list += list.empty() ? "wayland" : ",wayland";
    return list;
}

bool openDisplay(const DisplayEnvironment& env,
                 const std::function<std::string(const std::string&, std::string&)>& init,
                 const std::function<void(int)>& pause, std::string& message) {
    const std::string drivers = videoDriversToTry(env);
    const bool askedByName = !env.videoDriver.empty();
    if (!askedByName && env.display.empty() && env.waylandDisplay.empty()) {
        message = "no display found (DISPLAY and WAYLAND_DISPLAY are unset): start the game "
                  "from a desktop session";
        return false;
    }
    std::string error;
    for (int attempt = 1; attempt <= kAttempts; ++attempt) {
        const std::string driver = init(drivers, error);
        if (!driver.empty()) return true;
        if (attempt < kAttempts) pause(kPauseMs);
    }
    const std::string where =
        !env.display.empty() ? "DISPLAY=" + env.display : "WAYLAND_DISPLAY=" + env.waylandDisplay;
    message = askedByName ? "cannot start the video driver " + drivers + ": " + error
                          : "cannot open the display " + where + ": " + error;
    return false;
}

bool openSdlDisplay(std::string& message) {
    // A click that brings a window to the front is a click on it too: the first click on a
    // window that has just appeared must never be lost.
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
    survivableX11Errors();
    if (videoDriversToTry(displayEnvironment()).starts_with("wayland")) checkDecorationPlugin();
    const auto init = [](const std::string& drivers, std::string& error) -> std::string {
        SDL_SetHint(SDL_HINT_VIDEODRIVER, drivers.c_str());
        if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS | SDL_INIT_TIMER) != 0) {
            error = SDL_GetError();
            SDL_Quit();
            return "";
        }
        const char* name = SDL_GetCurrentVideoDriver();
        std::string driver = name ? name : "";
        if (driver.empty()) SDL_Quit();
        return driver;
    };
    return openDisplay(
        displayEnvironment(), init, [](int ms) { SDL_Delay(static_cast<Uint32>(ms)); }, message);
}

} // namespace kelvar
