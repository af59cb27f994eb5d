#pragma once
#include <cmath>
#include <cstdint>

namespace kelvar {

// Nearest integer, a half going to the even neighbour.
inline std::int64_t roundHalfEven(double v) {
    const double lower = std::floor(v);
    const double diff = v - lower;
    auto n = static_cast<std::int64_t>(lower);
    if (diff > 0.5 || (diff == 0.5 && (n % 2 != 0))) ++n;
    return n;
}

// value / 2^fractionBits to the nearest integer, a half going to the even neighbour: the same
// result as roundHalfEven on that quotient, without floating point.
constexpr std::uint64_t roundHalfEvenFixed(std::uint64_t value, unsigned fractionBits) {
    const std::uint64_t whole = value >> fractionBits;
    const std::uint64_t fraction = value & ((std::uint64_t{1} << fractionBits) - 1);
    const std::uint64_t half = std::uint64_t{1} << (fractionBits - 1);
    return whole + ((fraction > half || (fraction == half && (whole & 1))) ? 1 : 0);
}

// Twips to pixels at the play field's 15 twips per pixel.
inline std::int32_t twipsToPixels(double twips) {
    return static_cast<std::int32_t>(roundHalfEven(twips / 15.0));
}

} // namespace kelvar
