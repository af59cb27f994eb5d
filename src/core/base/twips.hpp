#pragma once
// Every place and size of the windows is in twips, 15 to the pixel.
#include <cstdint>

#include "core/base/numbers.hpp"

namespace kelvar {

inline constexpr int kTwipsPerPixel = 15;

// Twips to the nearest whole pixel, a half going to the even pixel.
inline std::int32_t twipsToPixels(double twips) {
    return static_cast<std::int32_t>(roundHalfEven(twips / kTwipsPerPixel));
}

constexpr int pixelsToTwips(int pixels) {
    return pixels * kTwipsPerPixel;
}

} // namespace kelvar
