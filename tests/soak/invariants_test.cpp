#include "tests/soak/invariants.hpp"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <limits>
#include <random>

#include "levels/levels.hpp"
#include "support/test_game.hpp"
#include "tests/soak/soak_player.hpp"

namespace kelvar {
namespace {

struct Case {
    const char* name;
    std::function<void(Game&)> spoil;
    const char* reported; // a piece of the message
};

// Each case breaks one rule in an otherwise sound game: the checker must name it.
TEST(SoakInvariants, EachBrokenRuleIsReported) {
    const std::vector<Case> cases{
        {"enemies left", [](Game& g) { g.st.iEnmyLeft = -1; }, "iEnmyLeft below 0"},
        {"meter", [](Game& g) { g.el.LifeBar.Width = -184; }, "LifeBar width below 0"},
        {"wrapped level", [](Game& g) { g.st.iLevel = -32768; }, "iLevel"},
        {"falling step", [](Game& g) { g.st.iDD[3] = -32700; }, "iDD[4]"},
        {"sideways step", [](Game& g) { g.st.iGG[0] = 12; }, "iGG"},
        {"enemy count", [](Game& g) { g.st.iEnmyTl = 31; }, "iEnmyTl"},
        {"position", [](Game& g) { g.el.Bomb[2].Top = std::numeric_limits<float>::infinity(); },
         "Bomb Top not finite"},
        {"star", [](Game& g) { g.el.Star[7].Top = std::numeric_limits<float>::quiet_NaN(); },
         "Star Top"},
        {"lives", [](Game& g) { g.st.iLossVar = -1; }, "iLossVar below 0"},
        {"pause count", [](Game& g) { g.st.PToggle = 2; }, "PToggle"},
        {"interval", [](Game& g) { g.st.TDel = 40; }, "TDel"},
    };
    for (const Case& c : cases) {
        testing::TestGame t;
        t.start("U");
        GameWatch watch;
        ASSERT_EQ(checkAfterTick(t.game, "U", watch), "") << c.name;
        c.spoil(t.game);
        EXPECT_NE(checkAfterTick(t.game, "U", watch).find(c.reported), std::string::npos)
            << c.name << ": " << checkAfterTick(t.game, "U", watch);
    }
}

TEST(SoakInvariants, RulesAcrossTicks) {
    const std::vector<Case> cases{
        {"level skipped", [](Game& g) { g.st.iLevel = 2; }, "iLevel moved by more than one"},
        {"score down", [](Game& g) { g.st.iScore -= 10; }, "score went down"},
        {"count up", [](Game& g) { g.st.iEnmyLeft += 1; }, "iEnmyLeft rose"},
    };
    for (const Case& c : cases) {
        testing::TestGame t;
        t.start("2");
        t.game.st.iEnmyLeft = 20;
        t.game.st.iScore = t.game.st.iTopScore = 500;
        GameWatch watch;
        ASSERT_EQ(checkAfterTick(t.game, "2", watch), "") << c.name;
        c.spoil(t.game);
        EXPECT_NE(checkAfterTick(t.game, "2", watch).find(c.reported), std::string::npos) << c.name;
    }
}

TEST(SoakInvariants, LateLevelsAndTheirLimitPass) {
    for (std::int16_t level : {16, 97, 1000, 32767}) {
        testing::TestGame t;
        t.start();
        t.game.st.iLevel = level;
        PrepNewLevel(t.game);
        GameWatch watch;
        EXPECT_EQ(checkAfterTick(t.game, "U", watch), "") << level;
    }
}

TEST(SoakPlayer, TheRecordedGamePassesEveryTick) {
    std::ifstream in(KELVAR_TEST_DATA_DIR "/levels_0_to_8.demo", std::ios::binary);
    auto parsed = parseDemo(in);
    ASSERT_TRUE(std::holds_alternative<Demo>(parsed));
    SoakGame game;
    game.demo = std::get<Demo>(parsed);
    game.mode = SoakMode::Check;
    const SoakResult r = playSoakGame(game);
    EXPECT_EQ(r.failure, "");
    EXPECT_EQ(r.summary.ticks, 4971);
    EXPECT_EQ(r.highestLevel, 9);
}

// The same seed plays the same games, so a failure seen once can be played again.
TEST(SoakPlayer, RandomGamesReplayFromTheirSeed) {
    for (SoakMode mode : {SoakMode::Random, SoakMode::Pilot}) {
        std::mt19937_64 a(7), b(7);
        const SoakResult first = playSoakGame(drawGame(a, mode, 1500));
        const SoakResult second = playSoakGame(drawGame(b, mode, 1500));
        EXPECT_EQ(first.failure, "");
        EXPECT_EQ(summaryJson(first.summary), summaryJson(second.summary));
        EXPECT_GT(first.summary.ticks, 100);
    }
}

} // namespace
} // namespace kelvar
