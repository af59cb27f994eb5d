#pragma once
// Rounding and the counters' limits, as the rules compute them.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

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

// The level has no upper bound, so a long enough game would push a few counters past the width
// they are kept in. They stop at the limit instead: a wrapped level or falling step would turn
// negative and send the formation back up the field.
constexpr std::int16_t saturate16(std::int64_t v) {
    return static_cast<std::int16_t>(std::clamp<std::int64_t>(
        v, std::numeric_limits<std::int16_t>::min(), std::numeric_limits<std::int16_t>::max()));
}

constexpr std::int32_t saturate32(std::int64_t v) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(
        v, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

} // namespace kelvar
