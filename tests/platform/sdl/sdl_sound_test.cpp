#include "platform/sdl/sdl_sound.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "platform/virtual/virtual_services.hpp"

namespace {

using kelvar::Millis;
using kelvar::SdlSound;
using kelvar::soundLengthMs;

constexpr std::uint32_t kSync = kelvar::SND_SYNC | kelvar::SND_MEMORY;
constexpr std::uint32_t kAsync = kelvar::SND_ASYNC | kelvar::SND_MEMORY;
constexpr std::uint32_t kAsyncNoStop = kAsync | kelvar::SND_NOSTOP;
// The dummy driver and a loaded machine add a buffer or two; a wrong end (waiting on the
// previous sound, or not waiting at all) is off by far more.
constexpr Millis kSlack = 150;

class SdlSoundOnDevice : public testing::Test {
  protected:
    const int driver = setenv("SDL_AUDIODRIVER", "dummy", 1); // before the sound opens a device
    kelvar::VirtualClock clock; // must not be used while there is a device
    SdlSound sound{clock};

    void SetUp() override { ASSERT_TRUE(sound.hasDevice()); }
    void TearDown() override { EXPECT_EQ(clock.now(), 0u); }
};

TEST_F(SdlSoundOnDevice, BlockingCallLastsTheWholeSound) {
    for (int id : {16, 19}) {
        const Millis t0 = SDL_GetTicks64();
        sound.playSound(id, kSync);
        const Millis took = SDL_GetTicks64() - t0;
        EXPECT_GE(took, soundLengthMs(id)) << id;
        EXPECT_LE(took, soundLengthMs(id) + kSlack) << id;
        EXPECT_FALSE(sound.isPlaying()) << id;
        EXPECT_EQ(sound.currentSound(), 0) << id;
    }
    EXPECT_EQ(sound.starts(), 2);
}

// A silent sound "plays" from its start t while now < t + length, exactly like the virtual
// player the game core is tested with.
TEST(SdlSoundSilent, NoStopFollowsTheSilentLengthOnTheClock) {
    struct Case {
        Millis wait; // after starting sound 24
        int expectCurrent;
    };
    const Millis length = soundLengthMs(24);
    for (const Case c :
         {Case{0, 24}, Case{length - 1, 24}, Case{length, 16}, Case{length + 500, 16}}) {
        kelvar::VirtualClock clock;
        testing::internal::CaptureStderr();
        SdlSound sound(clock, SdlSound::Output::Silent);
        kelvar::VirtualSound reference(clock);
        testing::internal::GetCapturedStderr();

        sound.playSound(24, kAsync);
        reference.playSound(24, kAsync);
        clock.advance(c.wait);
        sound.playSound(16, kAsyncNoStop);
        reference.playSound(16, kAsyncNoStop);
        EXPECT_EQ(sound.currentSound(), c.expectCurrent) << "after " << c.wait;
        EXPECT_EQ(sound.starts(), static_cast<int>(reference.started().size()))
            << "after " << c.wait;
        EXPECT_EQ(sound.isPlaying(), reference.playing()) << "after " << c.wait;
    }
}

TEST(SdlSoundSilent, FallsBackWhenSdlHasNoSuchDriver) {
    if (SDL_WasInit(SDL_INIT_AUDIO)) GTEST_SKIP() << "audio already initialised in this process";
    setenv("SDL_AUDIODRIVER", "kelvar_no_such_driver", 1);
    kelvar::VirtualClock clock;
    testing::internal::CaptureStderr();
    {
        SdlSound sound(clock);
        EXPECT_FALSE(sound.hasDevice());
        sound.playSound(16, kSync); // keeps the game's pace on the clock
        EXPECT_EQ(clock.now(), soundLengthMs(16));
        sound.playSound(15, kAsync);
        EXPECT_EQ(clock.now(), soundLengthMs(16)) << "an async call does not wait";
    }
    const std::string err = testing::internal::GetCapturedStderr(); // one line, said once
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
    EXPECT_EQ(err.rfind("kelvar-raid: no sound device (", 0), 0u) << err;
    EXPECT_NE(err.find("); playing silently\n"), std::string::npos) << err;
    EXPECT_EQ(SDL_WasInit(SDL_INIT_AUDIO), 0u) << "the failed init is undone";
}

} // namespace
