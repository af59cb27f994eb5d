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

// Twips to pixels at the play field's 15 twips per pixel.
inline std::int32_t twipsToPixels(double twips) {
    return static_cast<std::int32_t>(roundHalfEven(twips / 15.0));
}

} // namespace kelvar
