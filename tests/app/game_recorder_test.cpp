#include "app/game_recorder.hpp"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "app/recording_joystick.hpp"
#include "core/state/joystick.hpp"
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

class Recorder : public ::testing::Test {
  protected:
    Recorder() { r.writeTo(&out); }
    // A game set up and begun; the key pressed on the title before BEGIN is not the game's.
    void begin(std::uint32_t seed, bool joystick, JoyReading centre, std::int16_t intervalMs) {
        r.gameSetUp(seed);
        r.joystickAtSetUp(joystick, centre);
        r.key(1, 0, 39);
        r.gameStarted(intervalMs);
    }
    // The file as a replay reads it.
    Demo readBack() {
        std::istringstream in(out.file);
        return std::get<Demo>(parseDemo(in));
    }
    FileOutput out;
    GameRecorder r;
};

// The speed the game was started at is the one its replay runs at; an interval that is no
// speed of the game is kept as the default speed.
TEST_F(Recorder, TheIntervalAtBeginIsWrittenAsItsSpeedCode) {
    const std::pair<std::int16_t, std::string> speeds[] = {
        {35, "U"}, {30, "0"}, {40, "1"}, {45, "2"}, {50, "U"}};
    for (const auto& [interval, code] : speeds) {
        begin(7, false, {}, interval);
        EXPECT_EQ(r.finish(3).speed, code) << interval;
        EXPECT_EQ(readBack().speed, code) << interval;
    }
}

// A joystick line is written only when the stick or a button changes, whichever it is; the
// first reading is compared with the centre taken at set-up, no button held. Without a joystick
// at set-up nothing read later is the game's. Each game is a file of its own: the next game's
// set-up forgets the last one's keys and joystick.
TEST_F(Recorder, OnlyChangesOfEitherAxisOrAnyButtonAreLines) {
    const std::pair<int, JoyReading> reads[] = {
        {1, {100, 200, 0}},                         // the centre: no line
        {2, {100, 200, 0}},   {3, {100, -900, 0}},  // y alone
        {4, {100, -900, 0}},  {5, {-900, -900, 0}}, // x alone
        {6, {-900, -900, 4}}, {7, {-900, -900, 6}}, // a button alone, another besides
        {8, {-900, -900, 6}}, {9, {100, 200, 0}},   // back to rest
        {12, {5, 5, 1}},                            // after the last tick
    };
    for (const bool present : {true, false}) {
        begin(1, present, {100, 200, 3}, 35);
        for (const auto& [tick, reading] : reads) {
            r.joystickRead(tick, reading);
            if (tick == 2) r.key(2, 1, 32);
            r.tickEnded(std::min(tick, 10));
        }
        const Demo whole = r.finish(10);
        EXPECT_EQ(out.file, present ? "kelvar-raid demo 1\nspeed U\nseed 1\njoystick 100 200\n"
                                      "2 1 key 32\n3 joy 100 -900 0\n5 joy -900 -900 0\n"
                                      "6 joy -900 -900 4\n7 joy -900 -900 6\n9 joy 100 200 0\n"
                                      "10 end\n"
                                    : "kelvar-raid demo 1\nspeed U\nseed 1\n2 1 key 32\n10 end\n");
        EXPECT_EQ(formatDemo(readBack()), formatDemo(whole));
    }
    EXPECT_EQ(out.starts, 2);
}

// Written as it goes: the header at BEGIN, each line once its tick has run (a key before a tick
// that never ran, or in a tick cut off, is no line of the game), the end line at the end; what
// is written at any moment is the game so far, and at the end the whole game.
TEST_F(Recorder, WritesTheGameAsItGoesEachLineOnceItsTickHasRun) {
    begin(12345, true, {-40, 7, 0}, 30);
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
    EXPECT_EQ(formatDemo(readBack()), formatDemo(whole)) << "not the game recorded";
    r.key(4, 0, 37); // after the game: nothing
    r.tickEnded(4);
    EXPECT_EQ(out.starts, 1);
    EXPECT_TRUE(out.file.ends_with("2 end\n"));
}

// The pad as the game reads it reaches the recording: the reading at set-up is the centre (no
// pad: none), the readings inside ticks are lines when they change.
TEST_F(Recorder, HearsThePadAtSetUpAndEachTicksChanges) {
    for (const bool attached : {true, false}) {
        ScriptedJoystick pad;
        pad.attached = attached;
        pad.reading = {-40, 7, 0};
        int tick = 0;
        RecordingJoystick joystick(
            pad, {[&](bool present, JoyReading centre) { r.joystickAtSetUp(present, centre); },
                  [&](JoyReading reading) { r.joystickRead(tick, reading); }});
        r.gameSetUp(5);
        JoystickState state;
        EXPECT_EQ(InitJoystick(state, joystick, 0), attached);
        r.gameStarted(35);
        joystick.inTick = true;
        for (const JoyReading reading :
             {JoyReading{-40, 7, 0}, {-300, 7, 1}, {-300, 7, 1}, {0, 900, 0}}) {
            pad.reading = reading;
            ++tick;
            PollJoystick(state, joystick);
            r.tickEnded(tick);
        }
        r.finish(tick);
        EXPECT_EQ(out.file, attached ? "kelvar-raid demo 1\nspeed U\nseed 5\njoystick -40 7\n"
                                       "2 joy -300 7 1\n4 joy 0 900 0\n4 end\n"
                                     : "kelvar-raid demo 1\nspeed U\nseed 5\n4 end\n");
    }
}

} // namespace
} // namespace kelvar
