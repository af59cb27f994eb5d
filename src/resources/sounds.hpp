#pragma once
// The game's seven recordings, embedded in the binary at build time (see sounds.cmake).
#include <cstdint>
#include <span>

namespace kelvar::resources {

// The whole WAV image of recording `id`; empty for an id that is not one of them.
std::span<const std::uint8_t> soundBytes(int id);

} // namespace kelvar::resources
