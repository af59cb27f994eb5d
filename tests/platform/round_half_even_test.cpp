#include <gtest/gtest.h>

#include "platform/round_half_even.hpp"

namespace kelvar {
namespace {

TEST(RoundHalfEven, HalvesGoToTheEvenNeighbour) {
    const struct {
        double in;
        std::int64_t out;
    } cases[] = {
        {0.5, 0},  {1.5, 2},  {2.5, 2},    {-0.5, 0},  {-1.5, -2},
        {2.49, 2}, {2.51, 3}, {-2.51, -3}, {14.5, 14}, {1e9 + 0.5, 1000000000},
    };
    for (const auto& c : cases) EXPECT_EQ(roundHalfEven(c.in), c.out) << c.in;
}

TEST(RoundHalfEven, TwipsToPixelsAtFifteenToThePixel) {
    EXPECT_EQ(twipsToPixels(7000), 467); // the pointer's parking point
    EXPECT_EQ(twipsToPixels(7.5), 0);    // half a pixel: down to 0
    EXPECT_EQ(twipsToPixels(22.5), 2);   // 1.5 pixels: up to 2
    EXPECT_EQ(twipsToPixels(37.5), 2);   // 2.5 pixels: down to 2
    EXPECT_EQ(twipsToPixels(-199), -13);
}

} // namespace
} // namespace kelvar
