#include <SDL.h>
#include <SDL_ttf.h>

#include <cstdlib>
#include <fstream>
#include <iostream>
#include <mutex>

#include "app/app.hpp"
#include "app/command_line.hpp"
#include "app/headless_main.hpp"
#include "app/icon_sheet.hpp"
#include "core/state/play_field.hpp"
#include "platform/sdl/display.hpp"
#include "platform/signal_watch.hpp"
#include "screens/output_scale.hpp"
#include "screens/ui.hpp"

namespace {

// The window class ties the windows to the installed desktop entry: under X its StartupWMClass,
// under Wayland its name (the application id). SDL 2.26 reads both from the environment when it
// creates a window, not from a hint.
void nameWindowClass() {
    SDL_setenv("SDL_VIDEO_X11_WMCLASS", "kelvar-raid", 0);
    SDL_setenv("SDL_VIDEO_WAYLAND_WMCLASS", "io.github.kelvarraid.KelvarRaid", 0);
    SDL_SetHint(SDL_HINT_APP_NAME, "Kelvar Raid");
}

int play(const kelvar::Options& options) {
    std::optional<kelvar::Demo> demo;
    if (!options.demoPath.empty() && !(demo = kelvar::loadDemoFile(options.demoPath))) return 2;
    std::ofstream trace;
    if (!options.tracePath.empty() && !kelvar::openOutput(options.tracePath, trace, "trace"))
        return 2;
    // A signal becomes a quit event, which wakes whatever wait the program is in; only while
    // SDL's event queue is up. The watch comes first, so that every thread inherits the block.
    std::mutex queueGuard;
    bool queueUp = false;
    const auto pushQuit = [&] {
        std::lock_guard lock(queueGuard);
        if (!queueUp) return;
        SDL_Event quit{};
        quit.type = SDL_QUIT;
        SDL_PushEvent(&quit);
    };
    kelvar::SignalWatch signals(pushQuit);
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    nameWindowClass();
    kelvar::ui::preferSoftwareRenderer();
    std::string message;
    if (!kelvar::openSdlDisplay(message)) {
        std::cerr << "kelvar-raid: " << message << "\n";
        return 1;
    }
    {
        std::lock_guard lock(queueGuard);
        queueUp = true;
    }
    if (signals.signalled()) pushQuit(); // one that came while SDL started
    kelvar::ui::setOutputScale(kelvar::ui::chooseScale(kelvar::ui::usableDesktopHeight(),
                                                       kelvar::ui::px(kelvar::kPlayFieldHeight),
                                                       options.scale));
    if (TTF_Init() != 0) std::cerr << "kelvar-raid: no text rendering: " << TTF_GetError() << "\n";
    int code = 0;
    {
        kelvar::App app(options, std::move(demo), &trace);
        code = app.run();
    }
    if (!kelvar::finishOutput(options.tracePath, trace, "trace") && code == 0) code = 1;
    kelvar::ui::closeFonts();
    if (TTF_WasInit()) TTF_Quit();
    {
        std::lock_guard lock(queueGuard);
        queueUp = false;
    }
    SDL_Quit();
    return code;
}

} // namespace

int main(int argc, char** argv) {
    using namespace kelvar;
    auto parsed = parseCommandLine(argc, argv);
    if (auto* err = std::get_if<UsageError>(&parsed)) return reportUsageError(*err);
    const Options& o = std::get<Options>(parsed);
    if (const std::optional<int> code = runWithoutWindow(o)) return *code;
    if (o.mode == Options::Mode::IconSheet) return writeIconSheet(o.sheetPath) ? 0 : 1;
    return play(o);
}
