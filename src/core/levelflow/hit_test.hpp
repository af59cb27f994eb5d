#pragma once
#include "core/state/play_field.hpp"

namespace kelvar {

// The missile's corner strictly within 280 twips of the target's corner in both axes.
inline bool missileHits(const Sprite& target, const Sprite& missile) {
    constexpr double kHalf = 280;
    const double t = target.Top, l = target.Left;
    return t - kHalf < missile.Top && t + kHalf > missile.Top && l - kHalf < missile.Left &&
           l + kHalf > missile.Left;
}

} // namespace kelvar
