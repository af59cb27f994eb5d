#include <SDL.h>
#include <gtest/gtest.h>

#include <functional>

#include "app/play_keys.hpp"
#include "app/sound_log.hpp"
#include "platform/sdl/sdl_services.hpp"
#include "platform/virtual/virtual_services.hpp"
#include "resources/sounds.hpp"

namespace kelvar {
namespace {

// Only sounds that were heard are listed; only a sound played to its end brings the window up to
// date first.
TEST(SoundLog, ListsOnlySoundsThatStartedAndDrawsBeforeABlockingOne) {
    VirtualClock clock;
    SdlSound sound(clock, resources::soundBytes, SdlSound::Output::Silent);
    int draws = 0;
    SoundLog log(sound, [&] { ++draws; });
    log.playSound(15, SND_ASYNC | SND_MEMORY);              // the hit sound
    log.playSound(16, SND_ASYNC | SND_NOSTOP | SND_MEMORY); // a launch while it plays: silent
    EXPECT_EQ(log.take(), std::vector<int>{15});
    EXPECT_TRUE(log.take().empty());
    EXPECT_EQ(draws, 0);
    log.playSound(25, SND_MEMORY);
    EXPECT_EQ(draws, 1);
}

// Arrows and Space, held for a second, come at once, at 250 ms and then every 33 ms until the
// release; Pause and P never repeat. The timing is the game's set-up: the shortest delay and the
// fastest rate.
TEST(PlayKeys, OnlyTheArrowsAndSpaceRepeatUntilReleased) {
    WindowKeyRepeat r;
    r.setKeyBoardDelay(0);
    r.setKeyBoardSpeed(31);
    const RepeatTiming timing{r.delayMs(), r.periodMs()};
    for (SDL_Keycode sym : {SDLK_LEFT, SDLK_SPACE, SDLK_PAUSE, SDLK_p}) {
        PlayKeys keys;
        std::vector<Millis> at;
        if (keys.press(sym, KMOD_NONE, 0, timing)) at.push_back(0);
        for (Millis t = 1; t < 1500; ++t) {
            if (t == 1000) keys.release(sym);
            if (keys.repeatDue(t)) at.push_back(t);
        }
        std::vector<Millis> want{0};
        for (Millis t = 250; sym != SDLK_PAUSE && sym != SDLK_p && t < 1000; t += 33)
            want.push_back(t);
        EXPECT_EQ(at, want) << SDL_GetKeyName(sym);
    }
}

// Held repeats are due at the delay, then at every period from the last one, however late;
// nothing is due while no key that repeats is held, whatever released it, and the release of
// another key keeps it. This is what the window's wait is timed by.
TEST(PlayKeys, TheNextRepeatIsDueAtTheDelayThenEachPeriodUntilItEnds) {
    const RepeatTiming timing{500, 40};
    PlayKeys keys;
    EXPECT_EQ(keys.nextRepeat(), std::nullopt);
    EXPECT_EQ(keys.press(SDLK_SPACE, KMOD_NONE, 100, timing), 32);
    EXPECT_EQ(std::make_pair(keys.nextRepeat(), keys.repeatDue(599)),
              std::make_pair(std::optional<Millis>(600), 0));
    EXPECT_EQ(keys.repeatDue(610), 32); // late: the next one counts from this one
    EXPECT_EQ(keys.nextRepeat(), std::optional<Millis>(650));
    // Another key pressed over a held one takes over the repeat, from its own press.
    keys.press(SDLK_RIGHT, KMOD_NONE, 1000, timing);
    EXPECT_EQ(keys.nextRepeat(), std::optional<Millis>(1500));
    const std::pair<const char*, std::function<void(PlayKeys&)>> ends[] = {
        {"another released", [](PlayKeys& k) { k.release(SDLK_SPACE); }},
        {"released", [](PlayKeys& k) { k.release(SDLK_RIGHT); }},
        {"focus lost", [](PlayKeys& k) { k.releaseAll(); }},
        {"pause pressed", [&](PlayKeys& k) { k.press(SDLK_PAUSE, KMOD_NONE, 1010, timing); }},
        {"P pressed", [&](PlayKeys& k) { k.press(SDLK_p, KMOD_NONE, 1010, timing); }},
    };
    for (const auto& [how, end] : ends) {
        PlayKeys held = keys;
        end(held);
        const bool kept = how == std::string("another released");
        EXPECT_EQ(held.nextRepeat(), kept ? std::optional<Millis>(1500) : std::nullopt) << how;
        EXPECT_EQ(held.repeatDue(5000), kept ? 39 : 0) << how;
    }
}

} // namespace
} // namespace kelvar
