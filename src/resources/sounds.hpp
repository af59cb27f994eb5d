#pragma once
// The game's recordings, embedded in the binary at build time (sounds.cmake makes the lookup).
#include <cstdint>
#include <span>

namespace kelvar::resources {

// The whole WAV image of recording `id`; empty for an id that is not one of them.
std::span<const std::uint8_t> soundBytes(int id);

} // namespace kelvar::resources
