#pragma once
// The seven recordings: PCM, 2 channels, 22050 Hz, 16 bit, a 44-byte header. A sound played to
// its end holds the game for its length, so the lengths are part of the rules' timing.
#include <array>
#include <cstdint>

#include "core/base/sound_ids.hpp"
#include "platform/clock.hpp"

namespace kelvar {

struct SoundInfo {
    sound::Id id;
    std::uint32_t resourceBytes;
    std::uint32_t dataBytes;
};
inline constexpr int kSoundRate = 22050;
inline constexpr int kSoundFrameBytes = 4;
inline constexpr std::array<SoundInfo, 7> kSounds{{
    {sound::EnemyHit, 28076, 28032},
    {sound::Launch, 27240, 27196},
    {sound::Impact, 24712, 24668},
    {sound::GetReady, 120228, 120184},
    {sound::Blast, 73132, 73088},
    {sound::GameOver, 158952, 158908},
    {sound::LevelClear, 83052, 83008},
}};

constexpr const SoundInfo* findSound(int id) {
    for (const auto& s : kSounds)
        if (s.id == id) return &s;
    return nullptr;
}

// The length of a recording in whole milliseconds, rounded up; 0 for an unknown id.
constexpr Millis soundLengthMs(int id) {
    const SoundInfo* s = findSound(id);
    if (!s) return 0;
    const std::uint64_t frames = s->dataBytes / kSoundFrameBytes;
    return (frames * 1000 + kSoundRate - 1) / kSoundRate;
}

} // namespace kelvar
