#pragma once
// The game's speeds: the code the options file keeps and the tick's interval, in the order the
// help screen offers them. An unknown code runs at the first.
#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace kelvar {

struct Speed {
    std::string_view code;
    std::int16_t intervalMs;
};

inline constexpr std::array<Speed, 4> kSpeeds{{{"U", 35}, {"0", 30}, {"1", 40}, {"2", 45}}};
inline constexpr const Speed& kDefaultSpeed = kSpeeds[0];

// The place of `code` in kSpeeds, if it is one of them.
constexpr std::optional<std::size_t> speedIndex(std::string_view code) {
    for (std::size_t i = 0; i < kSpeeds.size(); ++i)
        if (kSpeeds[i].code == code) return i;
    return std::nullopt;
}

constexpr std::int16_t speedInterval(std::string_view code) {
    const auto i = speedIndex(code);
    return i ? kSpeeds[*i].intervalMs : kDefaultSpeed.intervalMs;
}

// The code of a tick interval; the default's for an interval that is none of them.
constexpr std::string_view speedCode(std::int16_t intervalMs) {
    for (const Speed& s : kSpeeds)
        if (s.intervalMs == intervalMs) return s.code;
    return kDefaultSpeed.code;
}

} // namespace kelvar
