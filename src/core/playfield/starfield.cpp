#include <array>

#include "core/base/numbers.hpp"
#include "core/playfield/playfield.hpp"

namespace kelvar {

namespace {
// Fall of each star in twips per tick, by star number.
constexpr std::array<std::int16_t, kStars> kStarSpeed{
    20, 15, 30, 10, 5,  25, 35, 8,  30, 23, 55, 37, 20, 12, 44, 22, 11, 33,
    4,  48, 50, 31, 16, 52, 9,  34, 40, 29, 9,  26, 17, 29, 58, 37, 52};
constexpr float kStarBottom = 6800, kStarRestart = -200;
constexpr float kPlanetLowest = 7000, kPlanetSink = 15;

} // namespace

// A palette colour from 1 to 15; black never comes up. 14·r + 1 is rounded on the generator's
// integer, r · 2^24, where it is exact: three draws per star make it the tick's hottest rule.
// The 1 is added before rounding, since a half rounds to the even neighbour.
int twinkleColour(Random& rng) {
    constexpr std::uint64_t kOne = std::uint64_t{1} << Random::kBits;
    return static_cast<int>(
        roundHalfEvenFixed(14 * std::uint64_t{rng.nextState()} + kOne, Random::kBits));
}

void starfieldAndPlanet(Game& g) {
    for (std::size_t n = 0; n < kStars; ++n) {
        StarShape& s = g.el.Star[n];
        s.FillColor = twinkleColour(g.rng);
        s.BackColor = twinkleColour(g.rng);
        s.BorderColor = twinkleColour(g.rng);
        s.Top += kStarSpeed[n];
        if (s.Top > kStarBottom) s.Top = kStarRestart;
    }
    if (g.el.Shape1.Top < kPlanetLowest) g.el.Shape1.Top += kPlanetSink;
}

} // namespace kelvar
