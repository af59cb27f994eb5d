#pragma once
#include <array>
#include <cstdint>

namespace kelvar {

// An RGB colour, 0xRRGGBB.
using Rgb = std::uint32_t;

// The standard 16-colour palette; colour n of the game is kPalette[n].
inline constexpr std::array<Rgb, 16> kPalette{
    0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080, 0x808000, 0xC0C0C0,
    0x808080, 0x0000FF, 0x00FF00, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF,
};

// The palette's colours by name: Red is the dark one, LightRed the bright one.
namespace colour {
inline constexpr int Black = 0;
inline constexpr int Blue = 1;
inline constexpr int Red = 4;
inline constexpr int Magenta = 5;
inline constexpr int LightGrey = 7;
inline constexpr int Grey = 8;
inline constexpr int LightBlue = 9;
inline constexpr int LightGreen = 10;
inline constexpr int LightCyan = 11;
inline constexpr int LightRed = 12;
inline constexpr int Yellow = 14;
inline constexpr int White = 15;
} // namespace colour

// The RGB of palette colour `index`; only its low four bits count.
constexpr Rgb paletteRgb(int index) {
    return kPalette[static_cast<std::size_t>(index & 15)];
}

} // namespace kelvar
