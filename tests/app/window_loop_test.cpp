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

// Arrows and Space repeat while held: at the delay, then at every period from the last one,
// however late; nothing is due while no key that repeats is held, whatever released it (Pause
// and P never repeat), and the release of another key keeps it. This is what the window's wait
// is timed by.
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
