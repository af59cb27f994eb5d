#include <gtest/gtest.h>

#include "core/base/sounds.hpp"
#include "platform/sound.hpp"
#include "platform/virtual/virtual_services.hpp"

namespace kelvar {
namespace {

TEST(VirtualSound, OneSoundAtATime) {
    VirtualClock clock;
    VirtualSound sound(clock);
    sound.playSound(15, normaliseSoundFlags(SND_ASYNC));
    clock.advance(soundLengthMs(15) - 1);
    sound.playSound(16, normaliseSoundFlags(SND_ASYNC | SND_NOSTOP)); // still playing: skipped
    EXPECT_EQ(sound.started(), (std::vector<int>{15}));
    clock.advance(1);
    EXPECT_FALSE(sound.playing());
    sound.playSound(16, normaliseSoundFlags(SND_ASYNC | SND_NOSTOP)); // 15 has ended: heard
    clock.advance(100);
    sound.playSound(17, normaliseSoundFlags(SND_ASYNC)); // cuts 16 off; plays its own length
    EXPECT_EQ(sound.started(), (std::vector<int>{15, 16, 17}));
    clock.advance(soundLengthMs(17) - 1);
    EXPECT_TRUE(sound.playing());
    clock.advance(1);
    EXPECT_FALSE(sound.playing());
    // Played to its end: the call takes the sound's length and nothing plays afterwards.
    const Millis before = clock.now();
    sound.playSound(25, normaliseSoundFlags(SND_SYNC));
    EXPECT_EQ(clock.now() - before, soundLengthMs(25));
    EXPECT_FALSE(sound.playing());
}

} // namespace
} // namespace kelvar
