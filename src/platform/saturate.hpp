#pragma once
// The level has no upper bound, so a long enough game would push a few counters past the width
// they are kept in. They stop at the limit instead: a wrapped level or falling step would turn
// negative and send the formation back up the field.
#include <algorithm>
#include <cstdint>
#include <limits>

namespace kelvar {

constexpr std::int16_t saturate16(std::int64_t v) {
    return static_cast<std::int16_t>(std::clamp<std::int64_t>(
        v, std::numeric_limits<std::int16_t>::min(), std::numeric_limits<std::int16_t>::max()));
}

constexpr std::int32_t saturate32(std::int64_t v) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(
        v, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

} // namespace kelvar
