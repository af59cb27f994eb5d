#include <gtest/gtest.h>

#include <functional>
#include <sstream>
#include <string>

#include "app/game_recorder.hpp"
#include "app/play_keys.hpp"
#include "app/recording_joystick.hpp"
#include "core/state/joystick.hpp"
#include "platform/sdl/sdl_services.hpp"
#include "platform/virtual/virtual_services.hpp"

namespace kelvar {
namespace {

// The file as the recorder writes it.
struct FileOutput final : DemoOutput {
    std::string file;
    int starts = 0;
    void startGame(const std::string& header) override { file = header, ++starts; }
    void append(const std::string& line) override { file += line; }
    void endGame(const std::string& line) override { file += line; }
};

Demo readBack(const std::string& file) {
    std::istringstream in(file);
    auto parsed = parseDemo(in);
    EXPECT_TRUE(std::holds_alternative<Demo>(parsed)) << file;
    return std::holds_alternative<Demo>(parsed) ? std::get<Demo>(parsed) : Demo{};
}

// The speed the game was started at is the one its replay runs at; an interval that is no
// speed of the game is kept as the default speed.
TEST(GameRecorderSpeeds, TheIntervalAtBeginIsWrittenAsItsSpeedCode) {
    for (const auto& [interval, code] : {std::pair<std::int16_t, const char*>{35, "U"},
                                         {30, "0"},
                                         {40, "1"},
                                         {45, "2"},
                                         {50, "U"}}) {
        FileOutput out;
        GameRecorder r;
        r.writeTo(&out);
        r.gameSetUp(7);
        r.joystickAtSetUp(false, {});
        r.gameStarted(interval);
        EXPECT_NE(out.file.find(std::string("\nspeed ") + code + "\n"), std::string::npos)
            << interval << ": " << out.file;
        EXPECT_EQ(r.finish(3).speed, code) << interval;
        EXPECT_EQ(readBack(out.file).speed, code) << interval;
    }
}

// A joystick line is written only when the stick or a button changes, whichever it is; the
// first reading is compared with the centre taken at set-up, no button held. Without a joystick
// at set-up nothing read later is the game's.
TEST(GameRecorderJoystick, OnlyChangesOfEitherAxisOrAnyButtonAreLines) {
    struct Read {
        int tick;
        JoyReading r;
    };
    const Read reads[] = {
        {1, {100, 200, 0}},                         // the centre: no line
        {2, {100, 200, 0}},                         // unchanged
        {3, {100, -900, 0}},                        // y alone
        {4, {100, -900, 0}},  {5, {-900, -900, 0}}, // x alone
        {6, {-900, -900, 4}},                       // a button alone
        {7, {-900, -900, 6}},                       // another button besides
        {8, {-900, -900, 6}}, {9, {100, 200, 0}},   // back to rest
        {12, {5, 5, 1}},                            // after the last tick
    };
    for (const bool present : {true, false}) {
        FileOutput out;
        GameRecorder r;
        r.writeTo(&out);
        r.gameSetUp(1);
        r.joystickAtSetUp(present, {100, 200, 3});
        r.gameStarted(35);
        for (const auto& [tick, reading] : reads) {
            r.joystickRead(tick, reading);
            r.tickEnded(tick < 10 ? tick : 10);
        }
        const Demo whole = r.finish(10);
        std::vector<int> ticks;
        for (const DemoJoy& j : whole.joys) ticks.push_back(j.tick);
        const std::vector<int> want =
            present ? std::vector<int>{3, 5, 6, 7, 9} : std::vector<int>{};
        EXPECT_EQ(ticks, want) << present;
        const Demo back = readBack(out.file);
        ASSERT_EQ(back.joys.size(), whole.joys.size()) << out.file;
        for (std::size_t i = 0; i < back.joys.size(); ++i)
            EXPECT_EQ(std::tie(back.joys[i].tick, back.joys[i].reading.x, back.joys[i].reading.y,
                               back.joys[i].reading.buttons),
                      std::tie(whole.joys[i].tick, whole.joys[i].reading.x, whole.joys[i].reading.y,
                               whole.joys[i].reading.buttons));
        if (present) {
            EXPECT_EQ(back.joys[0].reading.y, -900);
            EXPECT_EQ(back.joys[3].reading.buttons, 6u);
        }
    }
}

// Each game is a file of its own: the next game's set-up forgets the last one's keys and
// joystick, and its keys before BEGIN are not the game's.
TEST(GameRecorderGames, EachNewGameStartsAFreshRecording) {
    FileOutput out;
    GameRecorder r;
    r.writeTo(&out);
    r.gameSetUp(11);
    r.joystickAtSetUp(true, {0, 0, 0});
    r.gameStarted(30);
    r.key(1, 0, 37);
    r.joystickRead(1, {-32767, 0, 1});
    r.tickEnded(1);
    r.finish(1);
    r.gameSetUp(22);
    r.joystickAtSetUp(false, {});
    r.key(1, 0, 39); // on the title, before BEGIN
    r.gameStarted(45);
    r.key(1, 1, 32);
    r.joystickRead(1, {5, 5, 1});
    r.tickEnded(1);
    const Demo second = r.finish(1);
    EXPECT_EQ(out.starts, 2);
    EXPECT_EQ(out.file, "kelvar-raid demo 1\nspeed 2\nseed 22\n1 1 key 32\n1 end\n");
    EXPECT_EQ(std::tie(second.seed, second.speed, second.joystick),
              std::make_tuple(22u, std::string("2"), false));
    ASSERT_EQ(second.keys.size(), 1u);
    EXPECT_EQ(second.keys[0].code, 32);
    EXPECT_TRUE(second.joys.empty());
}

// Held repeats are due at the delay, then at every period; nothing is due while no key that
// repeats is held, whatever released it. This is what the window's wait is timed by.
TEST(PlayKeysNextRepeat, IsDueAtTheDelayThenEachPeriodAndNeverWhenNothingRepeats) {
    const RepeatTiming timing{500, 40};
    PlayKeys keys;
    EXPECT_EQ(keys.nextRepeat(), std::nullopt);
    EXPECT_EQ(keys.press(SDLK_SPACE, KMOD_NONE, 100, timing), 32);
    EXPECT_EQ(keys.nextRepeat(), std::optional<Millis>(600));
    EXPECT_EQ(keys.repeatDue(599), 0);
    EXPECT_EQ(keys.nextRepeat(), std::optional<Millis>(600));
    EXPECT_EQ(keys.repeatDue(610), 32); // late: the next one counts from this one
    EXPECT_EQ(keys.nextRepeat(), std::optional<Millis>(650));
    const std::pair<const char*, std::function<void(PlayKeys&)>> ends[] = {
        {"released", [](PlayKeys& k) { k.release(SDLK_RIGHT); }},
        {"focus lost", [](PlayKeys& k) { k.releaseAll(); }},
        {"pause pressed", [&](PlayKeys& k) { k.press(SDLK_PAUSE, KMOD_NONE, 700, timing); }},
        {"P pressed", [&](PlayKeys& k) { k.press(SDLK_p, KMOD_NONE, 700, timing); }},
    };
    for (const auto& [how, end] : ends) {
        PlayKeys held;
        held.press(SDLK_RIGHT, KMOD_NONE, 0, timing);
        end(held);
        EXPECT_EQ(held.nextRepeat(), std::nullopt) << how;
        EXPECT_EQ(held.repeatDue(5000), 0) << how;
    }
    // Another key pressed over a held one takes over the repeat, from its own press.
    keys.press(SDLK_LEFT, KMOD_NONE, 1000, timing);
    EXPECT_EQ(keys.nextRepeat(), std::optional<Millis>(1500));
    EXPECT_EQ(keys.repeatDue(1500), 37);
}

// The pad as the game reads it reaches the recording: the reading at set-up is the centre (no
// pad: none), the readings inside ticks are lines when they change; with no pad nothing is
// recorded.
TEST(RecordingJoystick, TheRecorderHearsTheSetUpReadingAndEachTicksChanges) {
    for (const bool attached : {true, false}) {
        ScriptedJoystick pad;
        pad.attached = attached;
        pad.reading = {-40, 7, 0};
        GameRecorder rec;
        int tick = 0;
        RecordingJoystick joystick(
            pad, {[&](bool present, JoyReading centre) { rec.joystickAtSetUp(present, centre); },
                  [&](JoyReading r) { rec.joystickRead(tick, r); }});
        rec.gameSetUp(5);
        JoystickState state;
        EXPECT_EQ(InitJoystick(state, joystick, 0), attached);
        rec.gameStarted(35);
        joystick.inTick = true;
        for (const JoyReading r :
             {JoyReading{-40, 7, 0}, {-300, 7, 1}, {-300, 7, 1}, {0, 900, 0}}) {
            ++tick;
            pad.reading = r;
            PollJoystick(state, joystick);
            rec.tickEnded(tick);
        }
        const Demo d = rec.finish(tick);
        EXPECT_EQ(std::tie(d.joystick, d.centre.x, d.centre.y),
                  attached ? std::make_tuple(true, -40, 7) : std::make_tuple(false, 0, 0));
        std::vector<std::tuple<int, int, int, unsigned>> lines;
        for (const DemoJoy& j : d.joys)
            lines.emplace_back(j.tick, j.reading.x, j.reading.y, j.reading.buttons);
        const std::vector<std::tuple<int, int, int, unsigned>> want =
            attached
                ? std::vector<std::tuple<int, int, int, unsigned>>{{2, -300, 7, 1}, {4, 0, 900, 0}}
                : std::vector<std::tuple<int, int, int, unsigned>>{};
        EXPECT_EQ(lines, want) << attached;
    }
}

} // namespace
} // namespace kelvar
