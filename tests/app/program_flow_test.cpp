// The program's flow through its windows, step by step, on real windows (offscreen driver) and
// the virtual services: what each step does and in which order.
#include "app/program_flow.hpp"

#include <gtest/gtest.h>

#include "../screens/screen_test_support.hpp"
#include "playfield/playfield.hpp"
#include "screens/widgets.hpp"
#include "support/test_game.hpp"

namespace kelvar {
namespace {

// Options that fail the test when they are read before a write that should come first.
class LoggedOptions final : public OptionsFile {
  public:
    std::string currentFolder() override { return inner.currentFolder(); }
    void clearAttributes(const std::string& p) override {
        log += "clear ";
        inner.clearAttributes(p);
    }
    std::unique_ptr<std::istream> openForReading(const std::string& p) override {
        log += "read ";
        return inner.openForReading(p);
    }
    bool replace(const std::string& p, std::string_view b) override {
        log += "write ";
        return inner.replace(p, b);
    }
    MemoryOptionsFile inner;
    std::string log;
};

class Flow : public test::ScreenTest {
  protected:
    std::string path() const { return joinPath(options.inner.folder, kOptionsFileName); }

    ProgramFlow& make(const char* fileBytes = nullptr) {
        if (fileBytes) options.inner.files[path()] = fileBytes;
        flow = std::make_unique<ProgramFlow>(
            services, Random::kStart,
            ProgramFlow::Hooks{[this](SDL_Window* w) { playWindow = w; }, [this] { ++setUps; },
                               [this] { ++starts; }, [this] { ++ends; }});
        return *flow;
    }
    void clickIn(ui::Form& f, const char* name) {
        auto* c = dynamic_cast<ui::Control*>(f.find(name));
        ASSERT_NE(c, nullptr) << name;
        c->click();
    }
    // Title -> Start Game -> option -> BEGIN.
    void beginWith(int option) {
        clickIn(flow->title()->form(), "StartBtn");
        flow->retire();
        flow->help()->selectOption(option);
        clickIn(flow->help()->form(), "SBattle");
        flow->retire();
    }

    VirtualClock clock;
    VirtualSound sound{clock};
    testing::ScriptedEvents events;
    VirtualPointer pointer;
    VirtualKeyRepeat keyRepeat;
    ScriptedJoystick joystick;
    LoggedOptions options;
    Services services{clock, events, pointer, keyRepeat, joystick, sound, options};
    std::unique_ptr<ProgramFlow> flow;
    SDL_Window* playWindow = nullptr;
    int setUps = 0, starts = 0, ends = 0;
};

TEST_F(Flow, TitleSetUpReadsOptionsPreparesHiddenPlayFieldStopsItsTimerAndParksThePointer) {
    ProgramFlow& f = make("2\r\n 1\r\n");
    f.start();
    Game& g = f.game();
    // The options were read (twice: the title's read, then the play field's own set-up).
    EXPECT_EQ(g.st.TDel, 45);
    EXPECT_EQ(g.st.Verticl, " 1");
    // The help window exists, hidden, with its check box set from the file.
    ASSERT_NE(f.help(), nullptr);
    EXPECT_FALSE(f.help()->window().shown());
    EXPECT_EQ(f.help()->centerOrNot(), 1);
    // The play field exists, hidden, with a fresh game, and its timer is stopped.
    ASSERT_NE(f.playField(), nullptr);
    EXPECT_EQ(playWindow, f.playField()->window().sdl());
    EXPECT_FALSE(f.playing());
    EXPECT_EQ(g.el.Timer1.Interval, 0);
    EXPECT_EQ(g.st.iLossVar, 4);
    EXPECT_EQ(setUps, 1);
    // The pointer parked on the side panel, the title shown, nothing written.
    EXPECT_GE(pointer.moves, 1);
    EXPECT_EQ(pointer.x, 7000);
    EXPECT_EQ(pointer.y, 4500);
    EXPECT_TRUE(f.title()->window().shown());
    EXPECT_EQ(options.log.find("write"), std::string::npos);
}

TEST_F(Flow, StartGameHidesTheTitleAndShowsTheHelpScreen) {
    ProgramFlow& f = make();
    f.start();
    clickIn(f.title()->form(), "StartBtn");
    f.retire();
    EXPECT_EQ(f.title(), nullptr);
    ASSERT_NE(f.help(), nullptr);
    EXPECT_TRUE(f.help()->window().shown());
    EXPECT_EQ(f.help()->valUsed(), "U");
}

TEST_F(Flow, BeginWritesThenReadsTheOptionsAndStartsTheGameAtTheirSpeed) {
    const struct {
        int option;
        const char* bytes;
        std::int16_t interval;
    } cases[] = {{0, "U\r\n 0\r\n", 35},
                 {1, "0\r\n 0\r\n", 30},
                 {2, "1\r\n 0\r\n", 40},
                 {3, "2\r\n 0\r\n", 45}};
    for (const auto& c : cases) {
        options.inner.files.clear();
        options.log.clear();
        ProgramFlow& f = make("2\r\n 0\r\n"); // the old file names another speed
        f.start();
        sound.started().clear();
        options.log.clear();
        const Millis before = clock.now();
        beginWith(c.option);
        Game& g = f.game();
        EXPECT_EQ(options.inner.files[path()], c.bytes);
        // Written before it is read back: the game runs at the speed just chosen.
        EXPECT_EQ(options.log.substr(0, 12), "clear write ") << options.log;
        EXPECT_NE(options.log.find("write clear read"), std::string::npos) << options.log;
        EXPECT_EQ(g.st.TDel, c.interval);
        EXPECT_EQ(g.el.Timer1.Interval, c.interval);
        // "GET READY" heard to its end before the game starts.
        EXPECT_EQ(sound.started(), std::vector<int>{19});
        EXPECT_EQ(clock.now() - before, soundLengthMs(19));
        EXPECT_EQ(g.el.Timer1.armedAt, clock.now());
        EXPECT_TRUE(f.playing());
        EXPECT_EQ(f.help(), nullptr);
        EXPECT_EQ(starts, 1);
        starts = 0;
    }
}

TEST_F(Flow, BeginStillStartsTheGameWhenTheFileCannotBeWritten) {
    ProgramFlow& f = make("1\r\n 0\r\n");
    options.inner.writable = false;
    f.start();
    beginWith(3);
    EXPECT_EQ(options.inner.files[path()], "1\r\n 0\r\n"); // the old file is kept
    EXPECT_EQ(f.game().el.Timer1.Interval, 40);            // and its speed applies
    EXPECT_TRUE(f.playing());
}

TEST_F(Flow, GameOverClosesThePlayFieldAndShowsTheTitleWithTheTickStopped) {
    ProgramFlow& f = make();
    f.start();
    beginWith(0);
    Game& g = f.game();
    g.st.iScore = 120;
    g.st.iTopScore = 120;
    SDL_Window* firstPlayField = playWindow;
    g.st.GameOver = true;
    Timer1_Timer(g); // the game-over tick
    f.retire();
    EXPECT_EQ(ends, 1);
    ASSERT_NE(f.title(), nullptr);
    EXPECT_TRUE(f.title()->window().shown());
    ASSERT_NE(f.playField(), nullptr);
    EXPECT_NE(playWindow, nullptr);
    EXPECT_FALSE(f.playing());
    (void)firstPlayField;
    // A fresh game, set up and stopped; the top score survives.
    EXPECT_EQ(setUps, 2);
    EXPECT_EQ(g.el.Timer1.Interval, 0);
    EXPECT_EQ(g.st.iScore, 0);
    EXPECT_EQ(g.st.iTopScore, 120);
    EXPECT_EQ(g.el.TopScoreLbl.Caption, "120");
    EXPECT_FALSE(g.st.GameOver);
}

TEST_F(Flow, ExitEndsTheProgramFromTheTitle) {
    ProgramFlow& f = make();
    f.start();
    EXPECT_FALSE(f.quit());
    clickIn(f.title()->form(), "Exit");
    EXPECT_TRUE(f.quit());
}

TEST_F(Flow, AReplayStartsAtOnceWithoutTitleOrHelp) {
    ProgramFlow& f = make("1\r\n 0\r\n");
    f.startReplay();
    EXPECT_EQ(f.title(), nullptr);
    EXPECT_EQ(f.help(), nullptr);
    EXPECT_TRUE(f.playing());
    EXPECT_EQ(f.game().el.Timer1.Interval, 40);
    f.game().st.GameOver = true;
    Timer1_Timer(f.game());
    EXPECT_TRUE(f.quit()); // the replay ends with its game
}

} // namespace
} // namespace kelvar
