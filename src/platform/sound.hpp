#pragma once
#include <array>
#include <cstdint>
#include <optional>

#include "platform/clock.hpp"

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

// The seven recordings: PCM, 2 channels, 22050 Hz, 16 bit, a 44-byte header.
struct SoundInfo {
    int id;
    std::uint32_t resourceBytes;
    std::uint32_t dataBytes;
};
inline constexpr int kSoundRate = 22050;
inline constexpr int kSoundFrameBytes = 4;
inline constexpr std::array<SoundInfo, 7> kSounds{{
    {15, 28076, 28032},
    {16, 27240, 27196},
    {17, 24712, 24668},
    {19, 120228, 120184},
    {20, 73132, 73088},
    {24, 158952, 158908},
    {25, 83052, 83008},
}};

const SoundInfo* findSound(int id);
// The length of a recording in whole milliseconds, rounded up; 0 for an unknown id.
Millis soundLengthMs(int id);

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

// Plays sound resource `id`: lets pending events through once, then starts it.
void basWave(EventPump& events, SoundPlayer& player, int id,
             std::optional<std::uint32_t> flags = std::nullopt);

} // namespace kelvar
