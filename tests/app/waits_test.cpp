// The window's waits: a quit request is seen without taking any other event from the queue; the
// sounds that really start are the ones the trace lists.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>

#include "app/quit_watch.hpp"
#include "app/sound_log.hpp"
#include "platform/virtual/virtual_services.hpp"

namespace kelvar {
namespace {

TEST(Waits, AQuitOrACloseIsSeenWithoutTakingAnyEvent) {
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS), 0) << SDL_GetError();
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    for (const auto [type, windowEvent, quit] : {std::tuple{SDL_KEYDOWN, 0, false},
                                                 {SDL_WINDOWEVENT, SDL_WINDOWEVENT_EXPOSED, false},
                                                 {SDL_WINDOWEVENT, SDL_WINDOWEVENT_CLOSE, true},
                                                 {SDL_QUIT, 0, true}}) {
        SDL_Event e{};
        e.window = {Uint32(type), 0, 0, Uint8(windowEvent)};
        SDL_PushEvent(&e);
        EXPECT_EQ(quitPending(), quit) << type << " " << windowEvent;
    }
    EXPECT_EQ(SDL_PeepEvents(nullptr, 0, SDL_PEEKEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT), 4);
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS);
}

// Only a sound played to its end brings the window up to date first.
TEST(SoundLog, ListsOnlySoundsThatStartedAndDrawsBeforeABlockingOne) {
    VirtualClock clock;
    SdlSound sound(clock, SdlSound::Output::Silent);
    int draws = 0;
    SoundLog log(sound, [&] { ++draws; });
    log.playSound(15, SND_ASYNC | SND_MEMORY);              // the hit sound
    log.playSound(16, SND_ASYNC | SND_NOSTOP | SND_MEMORY); // a launch while it plays: silent
    EXPECT_EQ(log.take(), std::vector<int>{15});
    clock.advance(soundLengthMs(15));
    log.playSound(16, SND_ASYNC | SND_NOSTOP | SND_MEMORY);
    log.playSound(17, SND_ASYNC | SND_MEMORY);
    EXPECT_EQ(log.take(), (std::vector<int>{16, 17}));
    EXPECT_TRUE(log.take().empty());
    EXPECT_EQ(draws, 0);
    log.playSound(25, SND_MEMORY);
    EXPECT_EQ(draws, 1);
}

} // namespace
} // namespace kelvar
