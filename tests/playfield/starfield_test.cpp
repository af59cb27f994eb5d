#include <gtest/gtest.h>

#include "platform/round_half_even.hpp"
#include "support/test_game.hpp"

namespace kelvar {
namespace {

// x <- (x * 1140671485 + 12820163) mod 2^24 from 327680, by hand: the later draws show in the
// first tick's trace, where they place the bombs.
TEST(Random, FirstValueOfTheSequence) {
    Random first; // 327680 * 16598013 + 12820163 = 5438849720003; mod 2^24 = 11837123
    EXPECT_EQ(first.next(), 11837123.0 / 16777216.0);
}

// Every state of the generator: the integer form gives the colour of 14 * r + 1 rounded in
// floating point, so no draw of any game can tell the two apart.
TEST(Starfield, TwinkleColourMatchesTheRoundedFormulaForEveryDraw) {
    for (std::uint32_t x = 0; x < (1u << Random::kBits); ++x) {
        Random exact(x), rounded(x);
        const int k = twinkleColour(exact);
        const auto expected = roundHalfEven(14.0 * rounded.next() + 1.0);
        if (k != expected) FAIL() << "state " << x << ": " << k << " instead of " << expected;
    }
}

TEST(Starfield, StarsFallAtTheirSpeedsAndRestartAtMinusTwoHundred) {
    const struct {
        std::size_t star;
        float start;
        int ticksToPassZero, ticksToPassBottom;
        float bottomTop; // where it stands in the tick before it restarts
    } cases[] = {
        {4, -800, 161, 1521, 6800}, // speed 5: 6805 after 1521 steps
        {32, -1900, 33, 151, 6800}, // speed 58: 6858 after 151 steps
    };
    for (const auto& c : cases) {
        testing::TestGame t;
        t.start();
        Game& g = t.game;
        g.el.Star[c.star].Top = c.start;
        int passedZero = 0;
        for (int n = 1; n <= c.ticksToPassBottom; ++n) {
            starfieldAndPlanet(g);
            if (!passedZero && g.el.Star[c.star].Top > 0) passedZero = n;
            if (n == c.ticksToPassBottom - 1) {
                EXPECT_EQ(g.el.Star[c.star].Top, c.bottomTop); // on the line: not yet past it
            }
        }
        EXPECT_EQ(passedZero, c.ticksToPassZero) << c.star;
        EXPECT_EQ(g.el.Star[c.star].Top, -200) << c.star;
    }
}

TEST(Planet, SinksOutOfViewAndStaysAtSevenThousand) {
    testing::TestGame t;
    t.start();
    Game& g = t.game;
    ASSERT_EQ(g.el.Shape1.Top, 5200);
    for (int n = 1; n <= 130; ++n) {
        starfieldAndPlanet(g);
        const float expected = n == 55 ? 6025 : n == 56 ? 6040 : n == 119 ? 6985 : 0;
        if (expected != 0) {
            EXPECT_EQ(g.el.Shape1.Top, expected) << n; // 6025 is the last Top still in view
        }
    }
    EXPECT_EQ(g.el.Shape1.Top, 7000);
}

} // namespace
} // namespace kelvar
