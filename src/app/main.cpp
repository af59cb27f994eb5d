#include <SDL.h>
#include <SDL_ttf.h>

#include <fstream>
#include <iostream>

#include "app/app.hpp"
#include "app/autopilot.hpp"
#include "app/command_line.hpp"
#include "app/headless_main.hpp"
#include "app/icon_sheet.hpp"
#include "screens/ui.hpp"

namespace {

int play(const kelvar::Options& options) {
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS | SDL_INIT_TIMER) != 0) {
        std::cerr << "kelvar-raid: cannot start the display: " << SDL_GetError() << "\n";
        return 1;
    }
    if (TTF_Init() != 0) std::cerr << "kelvar-raid: no text rendering: " << TTF_GetError() << "\n";
    std::optional<kelvar::Demo> demo;
    if (!options.demoPath.empty()) {
        std::ifstream in(options.demoPath, std::ios::binary);
        auto parsed = kelvar::parseDemo(in);
        if (!in.is_open() || std::holds_alternative<kelvar::DemoError>(parsed)) {
            if (!in.is_open())
                std::cerr << "kelvar-raid: cannot read demo " << options.demoPath << "\n";
            else {
                const auto& err = std::get<kelvar::DemoError>(parsed);
                std::cerr << options.demoPath << ":" << err.line << ": " << err.message << "\n";
            }
            SDL_Quit();
            return 2;
        }
        demo = std::get<kelvar::Demo>(std::move(parsed));
    }
    int code = 0;
    {
        kelvar::App app(options, std::move(demo));
        code = app.run();
    }
    kelvar::ui::closeFonts();
    if (TTF_WasInit()) TTF_Quit();
    SDL_Quit();
    return code;
}

} // namespace

int main(int argc, char** argv) {
    using namespace kelvar;
    auto parsed = parseCommandLine(argc, argv);
    if (auto* err = std::get_if<UsageError>(&parsed)) {
        std::cerr << "kelvar-raid: " << err->message << "\n" << usageText();
        return 2;
    }
    const Options& o = std::get<Options>(parsed);
    switch (o.mode) {
    case Options::Mode::Help: std::cout << usageText(); return 0;
    case Options::Mode::Version: std::cout << "kelvar-raid 1.0.0\n"; return 0;
    case Options::Mode::Headless: return runHeadless(o);
    case Options::Mode::Autopilot: return runAutopilot(o);
    case Options::Mode::IconSheet: return writeIconSheet(o.sheetPath) ? 0 : 1;
    case Options::Mode::Play: return play(o);
    }
    return 0;
}
