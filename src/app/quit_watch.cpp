#include "app/quit_watch.hpp"

#include <SDL.h>

#include <array>

namespace kelvar {

bool quitPending() {
    SDL_PumpEvents();
    if (SDL_PeepEvents(nullptr, 0, SDL_PEEKEVENT, SDL_QUIT, SDL_QUIT) > 0) return true;
    std::array<SDL_Event, 32> events{};
    const int n = SDL_PeepEvents(events.data(), static_cast<int>(events.size()), SDL_PEEKEVENT,
                                 SDL_WINDOWEVENT, SDL_WINDOWEVENT);
    for (int i = 0; i < n; ++i)
        if (events[static_cast<std::size_t>(i)].window.event == SDL_WINDOWEVENT_CLOSE) return true;
    return false;
}

} // namespace kelvar
