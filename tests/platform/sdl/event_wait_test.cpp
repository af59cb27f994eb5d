// The waits of the game's ticks and sounds in the window: asleep until the deadline, awake for
// each event as it comes, and at once for the one that ends the wait.
#include "platform/sdl/event_wait.hpp"

#include <SDL.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <thread>
#include <vector>

namespace kelvar {
namespace {

class EventWaits : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        setenv("SDL_VIDEODRIVER", "offscreen", 0);
        ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS), 0) << SDL_GetError();
    }
    static void TearDownTestSuite() { SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS); }
    void SetUp() override { SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT); }

    MonoClock clock;
};

// Pushes each event `ms` after the one before, in order, from another thread.
std::thread pushLater(int ms, std::vector<Uint32> types) {
    return std::thread([ms, types] {
        for (const Uint32 type : types) {
            std::this_thread::sleep_for(std::chrono::milliseconds(ms));
            SDL_Event e{};
            e.type = type;
            SDL_PushEvent(&e);
        }
    });
}

TEST_F(EventWaits, EveryEventIsTakenInOrderAndTheWaitLastsToItsDeadline) {
    SDL_Event first{};
    first.type = SDL_KEYDOWN;
    SDL_PushEvent(&first); // waiting before the wait began
    // The deadline is far beyond the pushes, so that a busy machine cannot push them after it.
    std::thread pusher = pushLater(30, {SDL_KEYUP, SDL_MOUSEMOTION});
    std::vector<Uint32> taken;
    const std::int64_t deadline = clock.nowMicros() + 1'000'000;
    waitForEventsUntil(clock, deadline, [&](const SDL_Event& e) { taken.push_back(e.type); });
    const std::int64_t end = clock.nowMicros();
    pusher.join();
    EXPECT_EQ(taken, (std::vector<Uint32>{SDL_KEYDOWN, SDL_KEYUP, SDL_MOUSEMOTION}));
    EXPECT_GE(end, deadline);
    EXPECT_LT(end, deadline + 500'000) << "waited on past the deadline";
    EXPECT_EQ(SDL_PeepEvents(nullptr, 0, SDL_PEEKEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT), 0);
}

// A close during "G A M E   O V E R" or the level change: the wait ends with the event, long
// before its deadline.
TEST_F(EventWaits, AnEventThatEndsTheWaitEndsItAtOnce) {
    struct Quit {};
    const std::int64_t start = clock.nowMicros();
    std::thread pusher = pushLater(200, {SDL_QUIT});
    EXPECT_THROW(waitForEventsUntil(clock, start + 10'000'000,
                                    [](const SDL_Event& e) {
                                        if (e.type == SDL_QUIT) throw Quit{};
                                    }),
                 Quit);
    const std::int64_t took = clock.nowMicros() - start;
    pusher.join();
    EXPECT_GE(took, 190'000);
    // Long before the deadline, however late a busy machine ran the pushing thread.
    EXPECT_LT(took, 5'000'000);
}

} // namespace
} // namespace kelvar
