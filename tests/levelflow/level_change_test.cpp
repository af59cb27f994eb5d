#include <gtest/gtest.h>

#include "levelflow/levelflow.hpp"
#include "support/test_game.hpp"
#include "support/trace_reader.hpp"

namespace kelvar {
namespace {

TEST(LevelChange, WaitsFlightAndMessagesInOrder) {
    testing::TestGame t;
    t.start("2");
    Game& g = t.game;
    g.st.iEnmyLeft = 0;
    std::vector<float> flight;
    t.watchedClock.onDelay = [&](std::int32_t ms) {
        if (ms == 35) flight.push_back(g.el.PlrShip.Top);
    };
    std::vector<std::string> shown; // the message, the level and the timer at each event point
    t.events.onCall = [&](int) {
        shown.push_back((g.el.GShotLbl.Visible ? g.el.GShotLbl.Caption : "-") + " " +
                        std::to_string(g.st.iLevel) + " " + std::to_string(g.el.Timer1.Interval));
    };
    // 200 + 25's 942 + the blast's 75 + 30 x 35 + 400 + 19's 1363 + 450.
    EXPECT_EQ(t.timed([&] { levelEnd(g); }), 2100u + 75 + 942 + 1363);
    EXPECT_EQ(t.sound.started(), (std::vector<int>{25, 19}));
    ASSERT_EQ(flight.size(), 30u);
    for (std::size_t i = 0; i < 30; ++i) EXPECT_EQ(flight[i], 5800 - 250.0f * i);
    EXPECT_EQ(shown, (std::vector<std::string>{"LEVEL CLEAR 0 0", "LEVEL CLEAR 0 0",
                                               "LEVEL CLEAR 0 0", "GET READY 1 0"}));
    EXPECT_FALSE(g.el.GShotLbl.Visible);
    EXPECT_EQ(g.el.Timer1.Interval, 45);
    EXPECT_EQ(g.el.LevelLbl.Caption, "1");
    EXPECT_EQ(g.st.iEnmyLeft, 40);
    EXPECT_EQ(g.el.PlrShip.Top, 5800);
}

// The recorded game through levels 0 to 8, read from its trace: no blow taken, every level
// change holds its tick and restarts the timer, and the score adds up.
TEST(LevelChange, InARecordedGameEachChangeHoldsItsTickAndTheScoreAddsUp) {
    const testing::DemoRun& run = testing::levelsDemo();
    const RunSummary& s = run.summary;
    EXPECT_EQ(s.ended, "end");
    ASSERT_EQ(run.ticks.size(), static_cast<std::size_t>(s.ticks));
    EXPECT_EQ(s.iLevel, 9);   // level 8 is cleared in the last tick
    EXPECT_EQ(s.iLossVar, 6); // four ships, none lost, and the extra life of both challenges
    EXPECT_EQ(s.iTopScore, s.iScore);
    const int quota[] = {30, 40, 46, 10, 54, 64, 72, 10, 80, 88};
    int powHits[9] = {}, changes = 0, byTheLastShot = 0;
    for (std::size_t i = 1; i < run.ticks.size(); ++i) {
        const auto& prev = run.ticks[i - 1];
        const auto& t = run.ticks[i];
        ASSERT_FALSE(t["game_over"].b());
        EXPECT_GE(t["iLossVar"].i(), prev["iLossVar"].i()) << "a ship lost at tick " << i + 1;
        EXPECT_EQ(t["LifeBar"].i(), 1216) << "the planet struck at tick " << i + 1;
        if (prev["SendIt"].b() && t["Power"][0].f() == -600 && t["Power"][1].f() == -2500) {
            EXPECT_GE(prev["iEnmyLeft"].i(), 10); // the blast counts ten off
            ++powHits[prev["iLevel"].i()];
        }
        const long long level = t["iLevel"].i();
        if (level == prev["iLevel"].i() || i + 1 == run.ticks.size()) continue;
        ++changes;
        ASSERT_EQ(level, prev["iLevel"].i() + 1);
        // The ship rose once more in this tick, then flew off in steps of 250 down to -1500.
        const float rise = (prev["iLevel"].i() == 3 || prev["iLevel"].i() == 7) ? 11 : 1;
        const float top =
            prev["PlrShip"][1].f() > 2500 ? prev["PlrShip"][1].f() - rise : prev["PlrShip"][1].f();
        const long long positions = static_cast<long long>((top + 1500) / 250) + 1;
        const long long change = 200 + 942 + 75 + 35 * positions + 400 + 1363 + 450;
        const long long took = t["end"].i() - t["start"].i();
        const bool lastShot =
            prev["iEnmyLeft"].i() == 1 && t["iScore"].i() == prev["iScore"].i() + 10 * (level - 1);
        byTheLastShot += lastShot;
        // A last shot adds the hit's three frames before the change.
        EXPECT_TRUE(lastShot ? took == change + 60 : took >= change)
            << "tick " << i + 1 << ": " << took;
        // The tick set its own interval at its end: the next tick comes one interval later.
        EXPECT_EQ(run.ticks[i + 1]["start"].i(), t["end"].i() + 35) << "tick " << i + 1;
        EXPECT_EQ(t["Interval"].i(), 35);
        EXPECT_EQ(t["iEnmyLeft"].i(), quota[level]);
        // A life for reaching 4 or 8; a boss that landed instead took it back in the same tick.
        const bool bonus = (level == 4 || level == 8) && lastShot;
        EXPECT_EQ(t["iLossVar"].i() - prev["iLossVar"].i(), bonus ? 1 : 0)
            << "reaching level " << level;
    }
    EXPECT_GE(changes, 8);
    EXPECT_GT(byTheLastShot, 0);
    // Every enemy not blasted by a POWbomb was shot, for 10 x level points each.
    long expected = 0;
    for (int l = 0; l < 9; ++l) {
        EXPECT_LE(powHits[l], 1) << "level " << l;
        expected += 10L * l * (quota[l] - 10 * powHits[l]);
    }
    EXPECT_EQ(s.iScore, expected);
    EXPECT_GT(s.iScore, 0);
}

} // namespace
} // namespace kelvar
