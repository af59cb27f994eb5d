#include <gtest/gtest.h>

#include <array>
#include <fstream>
#include <map>
#include <sstream>

#include "app/headless/autopilot.hpp"
#include "support/test_game.hpp"
#include "support/trace_reader.hpp"

namespace kelvar {
namespace {

using testing::Json;
using testing::parseJson;

const std::string kLevelsDemo = std::string(KELVAR_TEST_DATA_DIR) + "/levels_0_to_8.demo";

Demo loadDemo(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    EXPECT_TRUE(in) << "cannot read " << path;
    auto parsed = parseDemo(in);
    if (auto* err = std::get_if<DemoError>(&parsed)) {
        ADD_FAILURE() << path << ":" << err->line << ": " << err->message;
        return {};
    }
    return std::get<Demo>(parsed);
}

struct Replay {
    RunSummary summary;
    std::string trace;
};

Replay replay(const Demo& demo) {
    std::ostringstream trace;
    Replay r;
    r.summary = runDemo(demo, &trace);
    r.trace = trace.str();
    return r;
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string l; std::getline(in, l);) out.push_back(l);
    return out;
}

// Enemies to destroy in levels 0 to 8.
constexpr std::array<int, 9> kQuota{30, 40, 46, 10, 54, 64, 72, 10, 80};

TEST(AutopilotDemo, ClearsLevelsZeroToEightAndReplaysExactly) {
    const Demo demo = loadDemo(kLevelsDemo);
    ASSERT_TRUE(demo.endTick);
    const Replay first = replay(demo);
    const Replay second = replay(demo);
    EXPECT_EQ(first.trace, second.trace) << "two replays of one demo differ";
    EXPECT_EQ(summaryJson(first.summary), summaryJson(second.summary));

    const RunSummary& s = first.summary;
    EXPECT_EQ(s.ended, "end");
    EXPECT_EQ(s.ticks, *demo.endTick);
    EXPECT_EQ(s.iLevel, 9); // level 8 is cleared in the last tick
    // Four ships, none lost, and the extra life of both challenge stages.
    EXPECT_EQ(s.iLossVar, 6);
    EXPECT_EQ(s.iTopScore, s.iScore);

    // Walk the trace: levels one after another, no blow taken, and where each POWbomb went.
    const auto trace = lines(first.trace);
    ASSERT_EQ(trace.size(), static_cast<std::size_t>(s.ticks));
    std::array<int, kQuota.size()> powHits{};
    int level = 0, lives = 4;
    bool powFlying = false;
    int leftBefore = kQuota[0];
    for (const std::string& line : trace) {
        const Json t = parseJson(line);
        const int now = static_cast<int>(t["iLevel"].i());
        ASSERT_TRUE(now == level || now == level + 1) << "at tick " << t["tick"].i();
        ASSERT_FALSE(t["game_over"].b());
        EXPECT_GE(t["iLossVar"].i(), lives) << "a ship was lost at tick " << t["tick"].i();
        EXPECT_EQ(t["LifeBar"].i(), 1216) << "the planet was struck at tick " << t["tick"].i();
        const Json& power = t["Power"];
        const bool powHit = powFlying && power[0].f() == -600 && power[1].f() == -2500;
        if (powHit) {
            // The blast counts ten off; the score below assumes it had ten to count.
            EXPECT_GE(leftBefore, 10);
            ++powHits[static_cast<std::size_t>(level)];
        }
        powFlying = t["SendIt"].b();
        lives = static_cast<int>(t["iLossVar"].i());
        leftBefore = static_cast<int>(t["iEnmyLeft"].i());
        level = now;
    }
    EXPECT_EQ(level, 9);

    // Every enemy not blasted by a POWbomb was shot, for 10 x level points each.
    long expected = 0;
    for (std::size_t l = 0; l < kQuota.size(); ++l) {
        EXPECT_LE(powHits[l], 1) << "level " << l;
        expected += 10L * static_cast<long>(l) * (kQuota[l] - 10 * powHits[l]);
    }
    EXPECT_EQ(s.iScore, expected);
    EXPECT_GT(s.iScore, 0);
}

TEST(AutopilotRun, ItsRecordingReplaysTheSameGame) {
    Demo recorded;
    recorded.speed = "U";
    recorded.seed = 4242;
    std::ostringstream liveTrace;
    const RunSummary live = runAutopilot(recorded, 1900, &liveTrace); // through level 3

    // What a demo file holds: the recording as text, read back.
    std::istringstream text(formatDemo(recorded));
    auto parsed = parseDemo(text);
    ASSERT_TRUE(std::holds_alternative<Demo>(parsed)) << formatDemo(recorded).substr(0, 200);
    const Demo& demo = std::get<Demo>(parsed);
    EXPECT_EQ(demo.seed, 4242u);
    ASSERT_TRUE(demo.endTick);
    EXPECT_EQ(*demo.endTick, live.ticks);

    // At most one Space and one arrow per tick, all before the tick.
    std::map<int, std::pair<int, int>> perTick; // tick -> (spaces, arrows)
    for (const DemoKey& k : demo.keys) {
        EXPECT_EQ(k.point, 0);
        EXPECT_LE(k.tick, live.ticks);
        ASSERT_TRUE(k.code == key::Space || k.code == key::Left || k.code == key::Right);
        auto& [spaces, arrows] = perTick[k.tick];
        (k.code == key::Space ? spaces : arrows) += 1;
        EXPECT_LE(spaces, 1) << "tick " << k.tick;
        EXPECT_LE(arrows, 1) << "tick " << k.tick;
    }

    const Replay again = replay(demo);
    EXPECT_EQ(summaryJson(again.summary), summaryJson(live));
    EXPECT_EQ(again.trace, liveTrace.str());
    EXPECT_EQ(live.ended, "end");
    EXPECT_GE(live.iLevel, 4); // the challenge stage of level 3 is over by tick 1900
}

// Decisions on a field set up by hand: the ship at its level start (2160, 5800), every
// enemy and bomb far above unless placed.
class AutopilotDecision : public ::testing::Test {
protected:
    void SetUp() override {
        t.start();
        t.clearField();
    }
    void level(int n) { t.game.st.iLevel = static_cast<std::int16_t>(n); }
    // An enemy that hangs still, or moves by the given steps.
    void enemy(std::size_t k, float left, float top, int gg = 0, int dd = 0) {
        t.game.el.EmySpot[k] = {left, top, true, 5};
        t.game.st.iGG[k] = static_cast<std::int16_t>(gg);
        t.game.st.iDD[k] = static_cast<std::int16_t>(dd);
    }
    void bomb(std::size_t b, float left, float top) { t.game.el.Bomb[b] = {left, top, true, 11}; }
    Autopilot::Decision decide() { return Autopilot::decide(t.game); }
    // One tick of the game with the keys the autopilot presses before it.
    void play() {
        const auto d = decide();
        if (d.fire) Form_KeyDown(t.game, key::Space);
        if (d.move == Autopilot::Move::Left) Form_KeyDown(t.game, key::Left);
        if (d.move == Autopilot::Move::Right) Form_KeyDown(t.game, key::Right);
        Timer1_Timer(t.game);
    }

    testing::TestGame t;
};

TEST_F(AutopilotDecision, FiresOnlyWhenTheMissileWillHit) {
    enemy(0, 2160 + 250, 3000); // inside the hit box's 280
    EXPECT_TRUE(decide().fire);

    enemy(0, 2160 + 300, 3000); // just outside
    const auto d = decide();
    EXPECT_FALSE(d.fire);
    EXPECT_EQ(d.move, Autopilot::Move::Right); // one step right lines it up

    enemy(0, 2160 - 600, 3000);
    EXPECT_EQ(decide().move, Autopilot::Move::Left);
}

TEST_F(AutopilotDecision, LeadsAMovingTarget) {
    // 960 left of the ship's column, sliding 80 right and falling 20 a tick: a missile
    // launched now meets it at the ninth tick, at 5650 - 9 x 375 = 2275 against (1920, 2180).
    enemy(0, 1200, 2000, 80, 20);
    EXPECT_TRUE(decide().fire);
    enemy(0, 1200, 2000, -80, 20); // sliding away instead
    EXPECT_FALSE(decide().fire);

    // By the right wall: it bounces off 4390 to 4389 and comes back at the level's step for
    // EmySpot1 at that wall, -88, to meet the missile at the sixth tick at (4037, 3400).
    t.game.el.PlrShip.Left = 3870;
    enemy(0, 4300, 3400, 88, 0);
    EXPECT_TRUE(decide().fire);
}

TEST_F(AutopilotDecision, BombsFromLevelFourStopTheMissile) {
    level(4);
    enemy(0, 2160, 3000);
    EXPECT_TRUE(decide().fire);
    bomb(0, 2160, 4500); // falls 43 a tick and meets the missile on its way up
    EXPECT_FALSE(decide().fire);
    level(2); // below level 4 a missile flies through bombs
    EXPECT_TRUE(decide().fire);
}

TEST_F(AutopilotDecision, StepsOutOfTheWay) {
    level(1);
    bomb(0, 2160, 5460); // falls 34 a tick: inside the ship's box two ticks from now
    EXPECT_NE(decide().move, Autopilot::Move::Stay);

    t.clearField();
    // An enemy below the missile's reach, about to ram the ship. The ram box reaches 230 to
    // the left of the ship's corner and 280 to the right, so 100 right of the ship only a step
    // left gets clear, and 10 left of it only a step right.
    enemy(0, 2260, 5560, 0, 40);
    auto d = decide();
    EXPECT_FALSE(d.fire);
    EXPECT_EQ(d.move, Autopilot::Move::Left);
    enemy(0, 2150, 5560, 0, 40);
    d = decide();
    EXPECT_FALSE(d.fire);
    EXPECT_EQ(d.move, Autopilot::Move::Right);
}

TEST_F(AutopilotDecision, GoesForThePowbomb) {
    level(1);
    // An easy enemy straight above, and the POWbomb drifting in from the left: the POWbomb
    // clears the whole formation, so it is the one to hit while it is in reach.
    enemy(0, 2160, 1500);
    t.game.st.SendIt = true;
    t.game.st.PowerCame = true;
    t.game.el.Power = {1000, 2000, true, 0};
    const int left = t.game.st.iEnmyLeft;
    for (int n = 0; n < 60 && t.game.st.SendIt; ++n) play();
    EXPECT_FALSE(t.game.st.SendIt);
    EXPECT_EQ(t.game.el.Power.Left, -600) << "the POWbomb escaped instead of being hit";
    EXPECT_LE(t.game.st.iEnmyLeft, left - 10);
}

} // namespace
} // namespace kelvar
