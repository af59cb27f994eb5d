#include <gtest/gtest.h>

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
    EXPECT_EQ(summaryJson(run.summary),
              R"({"ticks":1,"ms":35,"ended":"end","iLevel":0,"iScore":0,"iTopScore":0,"iLossVar":4})");
}

TEST(Trace, FloatsAreTheShortestTextThatReadsBack) {
    const struct {
        float v;
        const char* text;
    } cases[] = {{2160, "2160"}, {-199, "-199"}, {-9999, "-9999"}, {0, "0"},
                 {6700.5f, "6700.5"}, {0.1f, "0.1"}, {1234.5677f, "1234.5677"}};
    for (const auto& c : cases) EXPECT_EQ(shortestFloat(c.v), c.text);
    EXPECT_EQ(std::strtof(shortestFloat(4299.123f).c_str(), nullptr), 4299.123f);
}

TEST(Runner, ReplaysExactly) {
    const std::string demo = demoText("3 0 key 37\n9 0 key 32\n40 0 key 39\n41 0 key 32\n600 end\n");
    auto a = playDemo(demo);
    auto b = playDemo(demo);
    ASSERT_GT(a.lines.size(), 300u);
    EXPECT_EQ(a.lines, b.lines);
    EXPECT_EQ(summaryJson(a.summary), summaryJson(b.summary));
    auto seeded = playDemo(demoText("seed 5\n1 end\n"));
    EXPECT_NE(seeded.tick(1)["Bomb"][0][0].f(), a.tick(1)["Bomb"][0][0].f());
}

TEST(Runner, ALaunchDuringAnImpactSoundIsSilent) {
    // Find a planet strike in a game left alone: it lets events through nine times, the
    // impact sound starting at the second, the flashes 60 ms apart after it.
    auto idle = playDemo(demoText("1000 end\n"));
    int n = 0;
    for (std::size_t i = 1; i < idle.ticks.size() && !n; ++i)
        if (idle.ticks[i]["LifeBar"].i() < idle.ticks[i - 1]["LifeBar"].i() && idle.ticks[i]["pumps"].i() == 9)
            n = static_cast<int>(i) + 1;
    ASSERT_GT(n, 0);
    const float shipTop = idle.tick(n)["PlrShip"][1].f();
    // Point 3 is at the strike's start (17 still plays); point 9 is 360 ms later (it has ended).
    for (auto [point, heard] : {std::pair{3, false}, std::pair{9, true}}) {
        auto run = playDemo(demoText(std::to_string(n) + " " + std::to_string(point) + " key 32\n" +
                                     std::to_string(n) + " end\n"));
        const auto& t = run.tick(n);
        EXPECT_TRUE(t["Rocket"].b()) << point;
        EXPECT_EQ(t["PMissl"][1].f(), shipTop - 150) << point; // launched after this tick's flight
        EXPECT_EQ(t["sounds"].items.size(), heard ? 2u : 1u) << point;
        EXPECT_EQ(t["sounds"][0].i(), 17);
        EXPECT_EQ(t["pumps"].i(), 9); // the launch's own event processing is no event point
        EXPECT_EQ(t["end"].i(), idle.tick(n)["end"].i());
    }
}

TEST(Runner, AKeyForAnEventPointATickNeverReachesComesBeforeTheNextTick) {
    auto run = playDemo(demoText("3 5 key 37\n4 end\n")); // tick 3 lets no events through
    ASSERT_EQ(run.ticks.size(), 4u);
    EXPECT_EQ(run.tick(3)["pumps"].i(), 0);
    EXPECT_EQ(run.tick(3)["PlrShip"][0].f(), 2160);
    EXPECT_EQ(run.tick(4)["PlrShip"][0].f(), 1875);
}

TEST(Runner, KeysOfAPausedGameAreDeliveredAtOnce) {
    // Paused before tick 4; the resume named for tick 30 comes at once, and the ship's step
    // asked for while paused is made in tick 4.
    auto run = playDemo(demoText("4 0 key 19\n20 0 key 37\n30 0 key 19\n31 end\n"));
    ASSERT_EQ(run.ticks.size(), 31u);
    EXPECT_EQ(run.tick(4)["start"].i(), 140);
    EXPECT_EQ(run.tick(4)["PlrShip"][0].f(), 1875);
    EXPECT_EQ(run.tick(4)["Interval"].i(), 35);
    EXPECT_FALSE(run.tick(4)["visible"]["PauseTL"].b());
}

} // namespace
} // namespace kelvar
