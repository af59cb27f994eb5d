#include <gtest/gtest.h>

#include <cmath>

#include "levels/levels.hpp"
#include "support/test_game.hpp"

namespace kelvar {
namespace {

using Ten = std::array<int, 10>;

struct LevelCase {
    int level;
    Ten lefts, tops, steps, falls;
    int enemies, picture;
};

Ten leftsOf(const Game& g) {
    Ten t{};
    for (std::size_t k = 0; k < 10; ++k) t[k] = static_cast<int>(g.el.EmySpot[k].Left);
    return t;
}
Ten topsOf(const Game& g) {
    Ten t{};
    for (std::size_t k = 0; k < 10; ++k) t[k] = static_cast<int>(g.el.EmySpot[k].Top);
    return t;
}
template <typename A> Ten ints(const A& a) {
    Ten t{};
    for (std::size_t k = 0; k < 10; ++k) t[k] = a[k];
    return t;
}

constexpr Ten kBossLefts{2160, 2160, 2160, 2160, 2160, 2160, 2160, 2160, 2160, 2160};
constexpr Ten kBossTops{-6500, -6500, -6500, -6500, -6500, -6500, -6500, -6500, -6500, -6500};
constexpr Ten kFormALefts{10, 850, 1690, 2530, 3370, 4210, 850, 3370, 850, 3370};
constexpr Ten kFormATops{-2500, -1500, -3500, -2000, -3000, -700, -1200, -2200, -4000, -3800};
constexpr Ten kFormBLefts{1200, 1920, 2640, 3960, 4200, 1220, 500, 3360, 1560, 3000};
constexpr Ten kFormBTops{-3800, -3200, -5000, -2500, -2700, -4200, -2400, -2000, -3200, -4600};
constexpr Ten kZero{};

// The cells where a typo would hide: the first level, the shared formations, the last rows
// of the tables and the levels beyond them, the challenge stages.
const LevelCase kCases[] = {
    {0,
     kFormALefts,
     kFormATops,
     {88, 75, 82, -82, -75, -88, 80, -80, 75, -75},
     {7, 19, 10, 13, 9, 22, 16, 4, 18, 2},
     30,
     5},
    {3, kBossLefts, kBossTops, kZero, {48, 48, 48, 48, 48, 48, 48, 48, 48, 48}, 10, 32},
    {5,
     kFormALefts,
     kFormATops,
     {38, 25, 42, -42, -25, -38, 30, -30, 25, -25},
     {21, 39, 29, 32, 25, 34, 22, 42, 17, 10},
     64,
     9},
    {7, kBossLefts, kBossTops, kZero, {72, 72, 72, 72, 72, 72, 72, 72, 72, 72}, 10, 32},
    {14,
     kFormALefts,
     kFormATops,
     {38, 25, 42, -42, -25, -38, 30, -30, 25, -25},
     {98, 91, 84, 74, 67, 72, 44, 52, 34, 54},
     108,
     28},
    {15, kFormBLefts, kFormBTops, kZero, {45, 103, 93, 85, 60, 70, 40, 79, 65, 54}, 110, 32},
    {16,
     kFormBLefts,
     kFormBTops,
     {70, 125, 105, -105, -125, -70, 80, -80, 110, -110},
     {46, 104, 94, 86, 61, 71, 41, 80, 66, 55},
     110,
     32},
    {30,
     kFormBLefts,
     kFormBTops,
     {70, 125, 105, -105, -125, -70, 80, -80, 110, -110},
     {60, 118, 108, 100, 75, 85, 55, 94, 80, 69},
     110,
     32},
};

void PrintTo(const LevelCase& c, std::ostream* os) {
    *os << "level " << c.level;
}

class PrepNewLevelTable : public ::testing::TestWithParam<LevelCase> {};

TEST_P(PrepNewLevelTable, SetsFormationStepsCountPictureAndFalls) {
    const LevelCase& c = GetParam();
    testing::TestGame t;
    t.start();
    Game& g = t.game;
    g.st.iLevel = static_cast<std::int16_t>(c.level);
    g.st.iGG.fill(999);
    PrepNewLevel(g);

    EXPECT_EQ(leftsOf(g), c.lefts);
    EXPECT_EQ(topsOf(g), c.tops);
    EXPECT_EQ(ints(g.st.iGo), c.steps);
    EXPECT_EQ(ints(g.st.iGG), c.steps);
    EXPECT_EQ(ints(g.st.iDD), c.falls);
    EXPECT_EQ(g.st.iEnmyTl, c.enemies);
    EXPECT_EQ(g.st.iEnmyLeft, c.enemies);
    EXPECT_EQ(g.st.iERes1, c.picture);
    for (const auto& e : g.el.EmySpot) EXPECT_EQ(e.Picture, c.picture);

    const bool challenge = c.level == 3 || c.level == 7;
    EXPECT_EQ(g.el.CHL.Visible, challenge);
    EXPECT_EQ(g.el.LifeBar.Visible, !challenge);
    EXPECT_EQ(g.st.PowerCame, challenge);
}

INSTANTIATE_TEST_SUITE_P(Levels, PrepNewLevelTable, ::testing::ValuesIn(kCases),
                         [](const auto& info) {
                             return "level" + std::to_string(info.param.level);
                         });

TEST(PrepNewLevel, ResetsTheLevelsCommonState) {
    testing::TestGame t;
    t.start();
    Game& g = t.game;
    g.el.PlrShip.Top = 3000;
    g.el.LifeBar.Width = 16;
    g.el.PMissl = {400, 2000, true, 100};
    g.st.Rocket = true;
    g.st.SendIt = true;
    PrepNewLevel(g);

    EXPECT_EQ(g.el.PlrShip.Top, 5800);
    EXPECT_EQ(g.el.LifeBar.Width, 1216);
    // The missile is parked but keeps its flag and visibility; the next flight step ends it.
    EXPECT_EQ(g.el.PMissl.Top, -9999);
    EXPECT_TRUE(g.el.PMissl.Visible);
    EXPECT_TRUE(g.st.Rocket);
    EXPECT_FALSE(g.st.SendIt);
}

TEST(PrepNewLevel, DrawsFourBombColumnsFromTheSharedSequence) {
    testing::TestGame t;
    t.start();
    Game& g = t.game;
    Random expected(g.rng.state());
    PrepNewLevel(g);
    const float tops[] = {-3000, -6000, -5000, -4000};
    for (std::size_t b = 0; b < 4; ++b) {
        const double r = expected.next();
        EXPECT_EQ(g.el.Bomb[b].Left, static_cast<float>(std::floor(r * 4250 + 50)));
        EXPECT_EQ(g.el.Bomb[b].Top, tops[b]);
    }
    EXPECT_EQ(g.rng.state(), expected.state()); // exactly four draws
}

} // namespace
} // namespace kelvar
