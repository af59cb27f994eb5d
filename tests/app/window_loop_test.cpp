#include <SDL.h>
#include <gtest/gtest.h>

#include <sstream>

#include "app/game_recorder.hpp"
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
// release; Pause and P never repeat. Pause ends the repeat of an arrow held before it; releasing
// another key keeps it; losing the focus ends it. The timing is the game's set-up: the shortest
// delay and the fastest rate.
TEST(PlayKeys, OnlyTheArrowsAndSpaceRepeatUntilReleasedPausedOrUnfocused) {
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
    PlayKeys keys;
    keys.press(SDLK_LEFT, KMOD_NONE, 0, timing);
    keys.press(SDLK_PAUSE, KMOD_NONE, 10, timing);
    EXPECT_EQ(keys.repeatDue(1000), 0);
    keys.press(SDLK_RIGHT, KMOD_NONE, 2000, timing);
    keys.release(SDLK_LEFT);
    EXPECT_EQ(keys.repeatDue(2250), 39);
    keys.releaseAll();
    EXPECT_EQ(keys.repeatDue(2400), 0);
}

// The window's recorded game and its replay check the keys and the speed; keys before BEGIN are
// not the game's, and a joystick is recorded at set-up and then only when its reading changes.
TEST(GameRecorder, WritesTheJoystickAtSetUpAndOnlyItsChanges) {
    GameRecorder r;
    r.gameSetUp(12345);
    r.joystickAtSetUp(true, {-40, 7, 3});
    r.key(1, 0, 37);
    r.gameStarted(45);
    for (int tick : {1, 4, 5}) r.joystickRead(tick, {tick < 4 ? -40 : -300, 7, tick < 4 ? 0u : 1u});
    std::istringstream in(formatDemo(r.finish(10)));
    const Demo back = std::get<Demo>(parseDemo(in));
    EXPECT_EQ(std::tie(back.joystick, back.centre.x, back.centre.buttons, back.endTick),
              std::make_tuple(true, -40, 0u, std::optional<int>(10)));
    EXPECT_TRUE(back.keys.empty());
    ASSERT_EQ(back.joys.size(), 1u);
    EXPECT_EQ(std::tie(back.joys[0].tick, back.joys[0].reading.buttons), std::make_tuple(4, 1u));
}

// Written as it goes: the header at BEGIN, each line once its tick has run (a key before a tick
// that never ran, or in a tick cut off, is no line of the game), the end line at the end; what
// is written at any moment is the game so far, and at the end the whole game.
TEST(GameRecorder, WritesTheGameAsItGoesEachLineOnceItsTickHasRun) {
    struct Output final : DemoOutput {
        std::string file;
        int starts = 0;
        void startGame(const std::string& header) override { file = header, ++starts; }
        void append(const std::string& line) override { file += line; }
        void endGame(const std::string& line) override { file += line; }
    } out;
    GameRecorder r;
    r.writeTo(&out);
    r.gameSetUp(12345);
    r.joystickAtSetUp(true, {-40, 7, 0});
    r.key(1, 0, 37); // before BEGIN: not the game's
    r.gameStarted(30);
    const std::string header = "kelvar-raid demo 1\nspeed 0\nseed 12345\njoystick -40 7\n";
    EXPECT_EQ(out.file, header);
    r.key(1, 0, 39);
    r.joystickRead(1, {-300, 7, 1});
    r.key(1, 2, 32);
    EXPECT_EQ(out.file, header) << "written before its tick ran";
    r.tickEnded(1);
    const std::string tick1 = header + "1 0 key 39\n1 joy -300 7 1\n1 2 key 32\n";
    EXPECT_EQ(out.file, tick1);
    r.key(2, 0, 19);
    r.tickEnded(2);
    r.key(3, 0, 19); // paused, then the window closed in tick 3
    r.key(3, 1, 27);
    const Demo whole = r.finish(2);
    EXPECT_EQ(out.file, tick1 + "2 0 key 19\n2 end\n");
    std::istringstream in(out.file);
    EXPECT_EQ(formatDemo(std::get<Demo>(parseDemo(in))), formatDemo(whole))
        << "not the game recorded";
    r.key(4, 0, 37); // after the game: nothing
    r.tickEnded(4);
    EXPECT_EQ(out.starts, 1);
    EXPECT_TRUE(out.file.ends_with("2 end\n"));
}

} // namespace
} // namespace kelvar
