// The window's waits: a quit request ends them at once, other events stay queued; the sounds
// that really start are the ones the trace lists.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>

#include "app/quit_watch.hpp"
#include "app/sound_log.hpp"
#include "platform/sdl/sdl_services.hpp"
#include "platform/virtual/virtual_services.hpp"

namespace kelvar {
namespace {

class Waits : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        setenv("SDL_VIDEODRIVER", "offscreen", 0);
        ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS), 0) << SDL_GetError();
    }
    static void TearDownTestSuite() { SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS); }
    void SetUp() override { SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT); }
};

void push(Uint32 type, Uint8 windowEvent = 0) {
    SDL_Event e{};
    e.type = type;
    if (type == SDL_WINDOWEVENT) e.window.event = windowEvent;
    ASSERT_EQ(SDL_PushEvent(&e), 1);
}

TEST_F(Waits, AQuitOrACloseIsSeenWithoutTakingAnyEvent) {
    EXPECT_FALSE(quitPending());
    push(SDL_KEYDOWN);
    push(SDL_WINDOWEVENT, SDL_WINDOWEVENT_EXPOSED);
    EXPECT_FALSE(quitPending());
    push(SDL_WINDOWEVENT, SDL_WINDOWEVENT_CLOSE);
    EXPECT_TRUE(quitPending());
    EXPECT_EQ(SDL_PeepEvents(nullptr, 0, SDL_PEEKEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT), 3);
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    push(SDL_QUIT);
    EXPECT_TRUE(quitPending());
}

TEST_F(Waits, AQuitEndsATickDelayEarlyAndOnlyAQuit) {
    SdlClock clock;
    const auto watch = [] {
        if (quitPending()) throw QuitRequested{};
    };
    push(SDL_KEYDOWN); // an ordinary event waits in the queue
    Millis t0 = clock.now();
    clock.tickDelay(20, watch);
    EXPECT_GT(clock.now() - t0, 20u);
    push(SDL_QUIT);
    t0 = clock.now();
    EXPECT_THROW(clock.tickDelay(10'000, watch), QuitRequested);
    EXPECT_LT(clock.now() - t0, 10'000u);
}

TEST_F(Waits, TheSoundLogListsOnlySoundsThatStarted) {
    VirtualClock clock;
    SdlSound sound(clock, SdlSound::Output::Silent);
    SoundLog log(sound);
    log.playSound(15, SND_ASYNC | SND_MEMORY);              // the hit sound
    log.playSound(16, SND_ASYNC | SND_NOSTOP | SND_MEMORY); // a launch while it plays: silent
    EXPECT_EQ(log.take(), std::vector<int>{15});
    clock.advance(soundLengthMs(15));
    log.playSound(16, SND_ASYNC | SND_NOSTOP | SND_MEMORY);
    log.playSound(17, SND_ASYNC | SND_MEMORY);
    EXPECT_EQ(log.take(), (std::vector<int>{16, 17}));
    EXPECT_TRUE(log.take().empty());
}

} // namespace
} // namespace kelvar
