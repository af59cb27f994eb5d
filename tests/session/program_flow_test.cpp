// The whole program without a display: title, help, BEGIN, the game, game over, back to the
// title, and "x"; the options file; a replay; the event points inside a tick.
#include <gtest/gtest.h>

#include <sstream>

#include "core/base/sounds.hpp"
#include "core/playfield/playfield.hpp"
#include "headless/runner.hpp"
#include "support/test_game.hpp"

namespace kelvar {
namespace {

class Program : public ::testing::Test {
  protected:
    // The program started over an options file with these bytes (none: no file).
    HeadlessProgram& start(const char* fileBytes, Session::Hooks hooks = {}) {
        p = std::make_unique<HeadlessProgram>(std::nullopt, &trace, Random::kStart, hooks);
        if (fileBytes) file() = fileBytes;
        return p->session().start(), *p;
    }
    std::string& file() { return p->options.files[joinPath(p->options.folder, kOptionsFileName)]; }
    Game& game() { return p->session().game(); }
    // Title -> Start Game -> option -> BEGIN.
    void beginWith(int option) {
        p->screens.clickStartGame();
        p->screens.selectHelpOption(option);
        p->screens.clickBegin();
    }
    std::ostringstream trace;
    std::unique_ptr<HeadlessProgram> p;
};

// The title comes up over a hidden play field set up with its timer stopped, and the pointer
// parked on its side panel; nothing ticks and no options file is written before BEGIN.
TEST_F(Program, TheTitleComesUpOverAStoppedHiddenGame) {
    HeadlessProgram& h = start(nullptr);
    EXPECT_EQ(std::make_tuple(h.screens.title.shown, h.screens.help.open, h.screens.help.shown,
                              h.screens.playField.open, h.screens.playField.shown),
              std::make_tuple(true, true, false, true, false));
    EXPECT_EQ(std::make_tuple(h.pointer.x, h.pointer.y, h.session().tickDue().has_value(), h.tick(),
                              h.options.files.size(), trace.str()),
              std::make_tuple(7000, 4500, false, false, 0u, ""));
}

// Start Game shows the help screen with what the options name preselected. Read at program
// start: every kind of file gives a speed and a placement.
TEST_F(Program, StartGameShowsTheHelpScreenWithTheOptionsPreselected) {
    const std::tuple<const char*, int, const char*, int> cases[] = {
        {"", 35, "U", 0},
        {"0\r\n 1\r\n", 30, "0", 1},
        {"2", 45, "2", 0},
        {"1\r\n1\r\n", 40, "1", 1},
        {"1\r\n2\r\n", 40, "1", 0},
        {"u\n1\n", 35, "U", 1},
        {"3\r\n 0\r\n", 35, "U", 0},
        {"2\r\nabc\r\n", 45, "2", 0},
        {"2\r\n1.0e0 \r\n", 45, "2", 1}};
    for (const auto& [bytes, tdel, speed, ticked] : cases) {
        HeadlessProgram& h = start(bytes);
        EXPECT_EQ(h.screens.title.top, ticked == 1) << bytes;
        h.screens.clickStartGame();
        EXPECT_EQ(std::make_tuple(h.screens.title.open, h.screens.help.shown, h.screens.help.top,
                                  game().st.TDel, h.screens.choice.valUsed,
                                  h.screens.choice.centerOrNot),
                  std::make_tuple(false, true, ticked == 1, tdel, speed, ticked))
            << bytes;
    }
}

// BEGIN writes the choice before reading it back, so the game runs at the speed just chosen,
// after "GET READY" was heard to its end; a file that cannot be written keeps its old speed.
TEST_F(Program, BeginWritesThenReadsTheOptionsAndStartsTheGameAtTheirSpeed) {
    for (const auto& [option, writable, bytes, interval] :
         {std::tuple{1, true, "0\r\n 0\r\n", 30}, {0, false, "2\r\n 0\r\n", 45}}) {
        HeadlessProgram& h = start("2\r\n 0\r\n");
        h.options.writable = writable;
        const Millis before = h.clock.now();
        beginWith(option);
        const Millis ready = before + soundLengthMs(sound::GetReady);
        EXPECT_EQ(std::make_tuple(file(), game().el.Timer1.Interval, h.session().playing(),
                                  h.screens.help.open, game().el.Timer1.armedAt),
                  std::make_tuple(std::string(bytes), interval, true, false, ready));
        ASSERT_TRUE(h.tick());
        EXPECT_EQ(h.clock.now(), ready + Millis(interval));
        // The sound of BEGIN is not the first tick's.
        EXPECT_TRUE(trace.str().starts_with("{\"tick\":1,") &&
                    trace.str().find("\"sounds\":[19") == std::string::npos)
            << trace.str();
    }
}

// Escape ends the game: its game-over tick closes the play field and brings the title back over
// a fresh stopped game that keeps the top score; "x" then ends the program.
TEST_F(Program, GameOverShowsTheTitleOverAFreshStoppedGameThenXQuits) {
    int setUps = 0, ends = 0;
    Session::Hooks hooks;
    hooks.flow.gameSetUp = [&] { ++setUps; };
    hooks.flow.gameEnded = [&] { ++ends; };
    HeadlessProgram& h = start("U\r\n 0\r\n", hooks);
    beginWith(0);
    for (int n = 0; n < 5; ++n) ASSERT_TRUE(h.tick());
    game().st.iScore = game().st.iTopScore = 120;
    h.session().deliverKey(key::Escape);
    ASSERT_TRUE(h.tick());
    EXPECT_EQ(std::make_tuple(h.lastWasGameOver(), h.screens.title.shown, h.screens.playField.shown,
                              h.session().playing(), setUps, ends, game().el.Timer1.Interval,
                              game().st.iScore, game().el.TopScoreLbl.Caption),
              std::make_tuple(true, true, false, false, 2, 1, 0, 0, "120"));
    EXPECT_EQ(std::make_tuple(h.tick(), h.session().quit()), std::make_tuple(false, false));
    h.screens.clickExit();
    EXPECT_EQ(std::make_tuple(h.session().quit(), h.session().gameTick()),
              std::make_tuple(true, 6));
}

// A key handler that lets events through (a launch plays its sound) never runs the program's
// event processing again inside itself; each event point outside it counts once, and a key
// given there is the tick's at that point.
TEST_F(Program, KeyHandlersNeverRunNestedAndEachEventPointCounts) {
    int depth = 0, deepest = 0, points = 0;
    bool fired = false;
    std::vector<std::tuple<int, int, int>> delivered;
    Session::Hooks hooks;
    hooks.takeEvents = [&] {
        ++points;
        deepest = std::max(deepest, ++depth);
        // The missile has hit: a new one may go.
        if (!game().st.Rocket && !std::exchange(fired, true)) p->session().deliverKey(key::Space);
        --depth;
    };
    hooks.keyDelivered = [&](int t, int point, int code) {
        delivered.emplace_back(t, point, code);
    };
    HeadlessProgram& h = start("U\r\n 0\r\n", hooks);
    beginWith(0);
    h.session().deliverKey(key::Space); // between ticks: point 0, no event processing
    EXPECT_EQ(points, 0);
    Elements& el = game().el;
    el.EmySpot[0].Left = el.PMissl.Left = 500; // on enemy 0 once the missile has flown a tick
    el.EmySpot[0].Top = 500;
    el.PMissl.Top = 500 + 375;
    ASSERT_TRUE(h.tick());
    EXPECT_EQ(std::make_tuple(fired, deepest, game().st.Rocket), std::make_tuple(true, 1, true));
    EXPECT_NE(trace.str().find("\"pumps\":" + std::to_string(points) + ","), std::string::npos);
    // The hit's fourth event point is the first after its missile is gone.
    EXPECT_EQ(delivered,
              (std::vector<std::tuple<int, int, int>>{{1, 0, key::Space}, {1, 4, key::Space}}));
}

// A replay starts at once, without title or help, at the demo's speed, and ends with its game.
TEST_F(Program, AReplayStartsAtOnceWithoutTitleOrHelpAndEndsWithItsGame) {
    std::istringstream in(testing::demoText("3 0 key 27\n", "1"));
    HeadlessProgram h(std::get<Demo>(parseDemo(in)));
    h.session().start();
    EXPECT_EQ(std::make_tuple(h.screens.title.open, h.screens.help.open, h.screens.playField.shown,
                              h.session().game().el.Timer1.Interval),
              std::make_tuple(false, false, true, 40));
    int ticks = 0;
    while (h.tick()) ++ticks;
    // A replay leaves the player's options alone.
    EXPECT_EQ(std::make_tuple(ticks, h.lastWasGameOver(), h.session().quit(),
                              h.session().replayEnded(), h.options.files.size()),
              std::make_tuple(3, true, true, std::string("game_over"), 0u));
}

} // namespace
} // namespace kelvar
