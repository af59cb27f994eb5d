#include "resources/sounds.hpp"

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <ostream>
#include <string>

#include "platform/sound.hpp"
#include "resources/sound_synth.hpp"

namespace kelvar {
// Names the parameter in failure messages.
void PrintTo(const SoundInfo& s, std::ostream* os) {
    *os << "sound " << s.id;
}
} // namespace kelvar

namespace {

using kelvar::kSounds;
using kelvar::SoundInfo;

std::uint32_t u32(std::span<const std::uint8_t> b, std::size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}

// Frames of each recording, counted independently of the byte sizes in kSounds.
const std::map<int, Uint32> kFrames{{15, 7008},  {16, 6799},  {17, 6167}, {19, 30046},
                                    {20, 18272}, {24, 39727}, {25, 20752}};

class EachSound : public testing::TestWithParam<SoundInfo> {};

std::string soundName(const testing::TestParamInfo<SoundInfo>& info) {
    return "sound" + std::to_string(info.param.id);
}

TEST_P(EachSound, HeaderFormatSizeAndFrames) {
    const SoundInfo info = GetParam();
    const auto b = kelvar::resources::soundBytes(info.id);
    ASSERT_EQ(b.size(), info.resourceBytes);
    // SDL checks the chunks; the sizes it trusts less are checked here. It must read stereo
    // 16-bit 22050 with the frames counted apart from kSounds.
    EXPECT_EQ(u32(b, 4), info.resourceBytes - 8);
    EXPECT_EQ(u32(b, 28), 88200u); // bytes a second
    SDL_AudioSpec loaded{};
    Uint8* data = nullptr;
    Uint32 length = 0;
    ASSERT_NE(SDL_LoadWAV_RW(SDL_RWFromConstMem(b.data(), static_cast<int>(b.size())), 1, &loaded,
                             &data, &length),
              nullptr)
        << SDL_GetError();
    EXPECT_EQ(loaded.freq, 22050);
    EXPECT_EQ(loaded.format, AUDIO_S16LSB);
    EXPECT_EQ(loaded.channels, 2);
    EXPECT_EQ(length, info.dataBytes);
    EXPECT_EQ(length / 4, kFrames.at(info.id));
    EXPECT_EQ(std::memcmp(data, b.data() + 44, length), 0);
    SDL_FreeWAV(data);
}

INSTANTIATE_TEST_SUITE_P(Recordings, EachSound, testing::ValuesIn(kSounds), soundName);

TEST(Sounds, UnknownIdsHaveNoBytes) {
    for (int id : {0, 18, 26}) {
        EXPECT_TRUE(kelvar::resources::soundBytes(id).empty()) << id;
        EXPECT_TRUE(kelvar::resources::synthesiseSound(id).empty()) << id;
    }
}

} // namespace
