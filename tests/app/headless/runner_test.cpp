#include <gtest/gtest.h>

#include <sstream>

#include "app/headless/runner.hpp"
#include "app/headless/trace.hpp"
#include "support/trace_reader.hpp"

namespace kelvar {
namespace {

using testing::demoText;
using testing::playDemo;

TEST(Trace, FirstTickOfAGameExactly) {
    auto run = playDemo(demoText("1 end\n"));
    ASSERT_EQ(run.lines.size(), 1u);
    // Level 0 after one tick: the ship has risen a twip, every enemy has made one step of
    // formation A, the bombs stand where the first four draws put them (they do not fall in
    // level 0), every star has fallen once.
    const std::string expected =
        R"({"tick":1,"start":35,"end":35,"pumps":0,"sounds":[],"game_over":false,)"
        R"("iLevel":0,"iScore":0,"iTopScore":0,"iLossVar":4,"iEnmyLeft":30,"iEnmyTl":30,)"
        R"("LifeBar":1216,"LifeBarRed":false,"GameOver":false,"Rocket":false,"PowerCame":false,)"
        R"("SendIt":false,"Motion":0,"PToggle":0,"Interval":35,"PlrShip":[2160,5799],)"
        R"("PMissl":[2160,-9999,false],"Power":[-600,1000,false],)"
        R"("EmySpot":[[98,-2493,5],[925,-1481,5],[1772,-3490,5],[2448,-1987,5],[3295,-2991,5],)"
        R"([4122,-678,5],[930,-1184,5],[3290,-2196,5],[925,-3982,5],[3295,-3798,5]],)"
        R"("iGG":[88,75,82,-82,-75,-88,80,-80,75,-75],)"
        R"("Bomb":[[3048,-3000],[2317,-6000],[2512,-5000],[1280,-4000]],)"
        R"("Star":[-280,-485,-70,-1190,-795,-575,-665,-892,-1970,-237,-505,-1713,-1080,-2788,)"
        R"(-2356,-153,-1389,-2567,-2146,-1252,-950,-469,-634,-1848,-2741,-316,-110,-1621,-866,)"
        R"(-474,-1033,-471,-1842,-1663,-2498],)"
        R"("labels":{"ScoreLbl":"0","TopScoreLbl":"0","LevelLbl":"0","LossesLbl":"4","EnmyLbl":"30"},)"
        R"("visible":{"Gover":false,"GShotLbl":false,"PauseTL":false,"CHL":false,"LifeBar":true}})";
    EXPECT_EQ(run.lines[0], expected);
    EXPECT_EQ(
        summaryJson(run.summary),
        R"({"ticks":1,"ms":35,"ended":"end","iLevel":0,"iScore":0,"iTopScore":0,"iLossVar":4})");
}

// Play ticks leave out the game-over sequence's tick; a demo's end or a stall plays no tick.
TEST(DemoRun, CountsPlayTicksAndEndsOnce) {
    const struct {
        const char* body;
        int ticks, playTicks;
        const char* ended;
    } cases[] = {
        {"3 0 key 27\n", 3, 2, "game_over"},
        {"5 end\n", 5, 5, "end"},
        {"2 0 key 19\n", 1, 1, "stalled"}, // paused and no key left to resume
    };
    for (const auto& c : cases) {
        std::istringstream in(demoText(c.body));
        DemoRun run(std::get<Demo>(parseDemo(in)));
        int steps = 0;
        while (run.step()) ++steps;
        EXPECT_FALSE(run.step()) << c.body;
        EXPECT_EQ(std::make_tuple(steps, run.summary().ticks, run.summary().ended),
                  std::make_tuple(c.ticks, c.ticks, std::string(c.ended)))
            << c.body;
        EXPECT_EQ(run.playTicks(), c.playTicks) << c.body;
    }
}

TEST(Trace, FloatsAreTheShortestTextThatReadsBack) {
    EXPECT_EQ(shortestFloat(-199), "-199");
    EXPECT_EQ(shortestFloat(0.1f), "0.1");
    EXPECT_EQ(std::strtof(shortestFloat(4299.123f).c_str(), nullptr), 4299.123f);
}

} // namespace
} // namespace kelvar
