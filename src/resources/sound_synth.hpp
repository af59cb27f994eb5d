#pragma once
// The game's seven recordings are made by this synthesiser, not sampled. The build runs it
// (tools/soundgen) and embeds the result; the same code is linked into the tests so they can
// check that the embedded bytes are exactly what the source produces.
#include <cstdint>
#include <vector>

namespace kelvar::resources {

// The whole WAV image (44-byte header + PCM, stereo, 22050 Hz, 16 bit) of recording `id`,
// sized as in kSounds. Empty for an id that is not one of the recordings. Pure integer
// arithmetic, so every build on every machine gets the same bytes.
std::vector<std::uint8_t> synthesiseSound(int id);

} // namespace kelvar::resources
