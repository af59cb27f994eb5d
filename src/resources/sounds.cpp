#include "resources/sounds.hpp"

#include <array>

// Defined by the .incbin block that sounds.cmake generates.
extern "C" {
extern const std::uint8_t kelvar_sound15_start[], kelvar_sound15_end[];
extern const std::uint8_t kelvar_sound16_start[], kelvar_sound16_end[];
extern const std::uint8_t kelvar_sound17_start[], kelvar_sound17_end[];
extern const std::uint8_t kelvar_sound19_start[], kelvar_sound19_end[];
extern const std::uint8_t kelvar_sound20_start[], kelvar_sound20_end[];
extern const std::uint8_t kelvar_sound24_start[], kelvar_sound24_end[];
extern const std::uint8_t kelvar_sound25_start[], kelvar_sound25_end[];
}

namespace kelvar::resources {
namespace {

struct Embedded {
    int id;
    const std::uint8_t* begin;
    const std::uint8_t* end;
};

const std::array<Embedded, 7> kEmbedded{{
    {15, kelvar_sound15_start, kelvar_sound15_end},
    {16, kelvar_sound16_start, kelvar_sound16_end},
    {17, kelvar_sound17_start, kelvar_sound17_end},
    {19, kelvar_sound19_start, kelvar_sound19_end},
    {20, kelvar_sound20_start, kelvar_sound20_end},
    {24, kelvar_sound24_start, kelvar_sound24_end},
    {25, kelvar_sound25_start, kelvar_sound25_end},
}};

} // namespace

std::span<const std::uint8_t> soundBytes(int id) {
    for (const Embedded& e : kEmbedded)
        if (e.id == id) return {e.begin, e.end};
    return {};
}

} // namespace kelvar::resources
