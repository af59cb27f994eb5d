#include <gtest/gtest.h>

#include "core/base/numbers.hpp"
#include "support/test_game.hpp"

namespace kelvar {

// The stars' colours are in no trace. Every state of the generator: the integer form gives the
// colour of 14 * r + 1 rounded in floating point, so no draw of any game can tell the two apart.
TEST(Starfield, TwinkleColourMatchesTheRoundedFormulaForEveryDraw) {
    for (std::uint32_t x = 0; x < (1u << Random::kBits); ++x) {
        Random exact(x), rounded(x);
        const int k = twinkleColour(exact);
        const auto expected = roundHalfEven(14.0 * rounded.next() + 1.0);
        if (k != expected) FAIL() << "state " << x << ": " << k << " instead of " << expected;
    }
}

} // namespace kelvar
