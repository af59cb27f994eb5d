#include <SDL.h>
#include <gtest/gtest.h>

#include <cstring>

#include "core/base/sounds.hpp"
#include "resources/sound_synth.hpp"
#include "resources/sounds.hpp"

// Each recording reads in SDL as 22050 Hz 16-bit stereo with exactly the data length that the
// game's waits are timed by; the RIFF size, which SDL does not trust, is right too.
TEST(Sounds, EachRecordingLoadsWithTheLengthItIsTimedBy) {
    for (const kelvar::SoundInfo& info : kelvar::kSounds) {
        SCOPED_TRACE("sound " + std::to_string(info.id));
        const auto b = kelvar::resources::soundBytes(info.id);
        ASSERT_EQ(b.size(), info.resourceBytes);
        EXPECT_EQ(b[4] | b[5] << 8 | b[6] << 16 | static_cast<std::uint32_t>(b[7]) << 24,
                  info.resourceBytes - 8);
        SDL_AudioSpec format{};
        Uint8* data = nullptr;
        Uint32 length = 0;
        ASSERT_NE(SDL_LoadWAV_RW(SDL_RWFromConstMem(b.data(), static_cast<int>(b.size())), 1,
                                 &format, &data, &length),
                  nullptr)
            << SDL_GetError();
        EXPECT_EQ(std::make_tuple(format.freq, format.format, format.channels, length),
                  std::make_tuple(22050, AUDIO_S16LSB, 2, info.dataBytes));
        EXPECT_EQ(std::memcmp(data, b.data() + 44, length), 0);
        SDL_FreeWAV(data);
    }
    for (int id : {0, 18, 26})
        EXPECT_TRUE(kelvar::resources::soundBytes(id).empty() &&
                    kelvar::resources::synthesiseSound(id).empty())
            << id;
}
