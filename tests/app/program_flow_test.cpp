// The program's flow through its windows, step by step, on real windows (offscreen driver) and
// the virtual services: what each step does and in which order.
#include "app/program_flow.hpp"

#include "../screens/screen_test_support.hpp"
#include "core/base/sounds.hpp"
#include "core/playfield/playfield.hpp"
#include "support/test_game.hpp"

namespace kelvar {
namespace {

class Flow : public test::ScreenTest {
  protected:
    // The program started over an options file with these bytes.
    ProgramFlow& start(const char* fileBytes, bool replay = false) {
        file() = fileBytes;
        flow = std::make_unique<ProgramFlow>(
            t.services, Random::kStart,
            ProgramFlow::Hooks{[](SDL_Window*) {}, [this] { ++setUps; }, [] {}, [] {}});
        replay ? flow->startReplay() : flow->start();
        return *flow;
    }
    std::string& file() { return t.options.files[t.optionsPath()]; }
    // Title -> Start Game -> option -> BEGIN.
    void beginWith(int option) {
        dynamic_cast<ui::Control&>(*flow->title()->form().find("StartBtn")).click();
        flow->retire();
        flow->help()->selectOption(option);
        dynamic_cast<ui::Control&>(*flow->help()->form().find("SBattle")).click();
        flow->retire();
    }
    testing::TestGame t; // its services; the flow has its own game
    std::unique_ptr<ProgramFlow> flow;
    int setUps = 0;
};

// The title comes up over a hidden play field set up with its timer stopped, and the pointer
// parked on its side panel. BEGIN writes the choice before reading it back, so the game runs at
// the speed just chosen, after "GET READY" was heard to its end; a file that cannot be written
// keeps its old speed.
TEST_F(Flow, BeginWritesThenReadsTheOptionsAndStartsTheGameAtTheirSpeed) {
    for (const auto& [option, writable, bytes, interval] :
         {std::tuple{1, true, "0\r\n 0\r\n", 30}, {0, false, "2\r\n 0\r\n", 45}}) {
        t.options.writable = writable;
        ProgramFlow& f = start("2\r\n 0\r\n");
        EXPECT_EQ(
            std::make_tuple(f.playing(), f.game().el.Timer1.Interval, t.pointer.x, t.pointer.y),
            std::make_tuple(false, 0, 7000, 4500));
        t.sound.started().clear();
        const Millis before = t.clock.now();
        beginWith(option);
        EXPECT_EQ(std::make_tuple(file(), f.game().el.Timer1.Interval, f.playing(), f.help()),
                  std::make_tuple(std::string(bytes), interval, true, nullptr));
        EXPECT_EQ(t.sound.started(), std::vector<int>{sound::GetReady});
        EXPECT_EQ(f.game().el.Timer1.armedAt - before, soundLengthMs(sound::GetReady));
    }
}

TEST_F(Flow, GameOverShowsTheTitleOverAFreshStoppedGameKeepingTheTopScore) {
    ProgramFlow& f = start("U\r\n 0\r\n");
    beginWith(0);
    Game& g = f.game();
    g.st.iScore = g.st.iTopScore = 120;
    g.st.GameOver = true;
    Timer1_Timer(g); // the game-over tick
    f.retire();
    EXPECT_TRUE(f.title()->window().shown());
    EXPECT_EQ(std::make_tuple(f.playing(), setUps, g.el.Timer1.Interval, g.st.iScore,
                              g.el.TopScoreLbl.Caption),
              std::make_tuple(false, 2, 0, 0, "120"));
}

TEST_F(Flow, AReplayStartsAtOnceWithoutTitleOrHelpAndEndsWithItsGame) {
    ProgramFlow& f = start("1\r\n 0\r\n", true);
    EXPECT_EQ(std::make_tuple(f.title(), f.help(), f.game().el.Timer1.Interval),
              std::make_tuple(nullptr, nullptr, 40));
    f.game().st.GameOver = true;
    Timer1_Timer(f.game());
    EXPECT_TRUE(f.quit());
}

} // namespace
} // namespace kelvar
