#pragma once
#include <cstdint>
#include <optional>

namespace kelvar {

class EventPump;

// Play flags, with the bit values that the game's calls are written in.
inline constexpr std::uint32_t SND_SYNC = 0x0;
inline constexpr std::uint32_t SND_ASYNC = 0x1;
inline constexpr std::uint32_t SND_NODEFAULT = 0x2;
inline constexpr std::uint32_t SND_MEMORY = 0x4;
inline constexpr std::uint32_t SND_NOSTOP = 0x10;
inline constexpr std::uint32_t SND_ALIAS = 0x10000;
inline constexpr std::uint32_t SND_FILENAME = 0x20000;

// The flag word that reaches the player: omitted means 7; alias and file name bits are
// cleared; the memory bit is always set.
std::uint32_t normaliseSoundFlags(std::optional<std::uint32_t> flags);

// One sound at a time. A start without SND_NOSTOP cuts off what plays; with SND_NOSTOP
// nothing starts while a sound plays; without SND_ASYNC the call returns when the sound ends.
class SoundPlayer {
  public:
    virtual ~SoundPlayer() = default;
    virtual void playSound(int id, std::uint32_t flags) = 0;
};

// Plays recording `id` (see core/base/sound_ids.hpp): lets pending events through once, then starts
// it.
void basWave(EventPump& events, SoundPlayer& player, int id,
             std::optional<std::uint32_t> flags = std::nullopt);

} // namespace kelvar
