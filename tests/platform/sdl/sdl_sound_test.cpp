#include "platform/sdl/sdl_sound.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <optional>
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

// Sets an environment variable for one test and puts the old value back.
class ScopedEnv {
  public:
    ScopedEnv(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        setenv(name, value, 1);
    }
    ~ScopedEnv() {
        if (old_)
            setenv(name_, old_->c_str(), 1);
        else
            unsetenv(name_);
    }

  private:
    const char* name_;
    std::optional<std::string> old_;
};

// Waits until the player goes quiet, for at most `limit` ms.
void untilQuiet(SdlSound& sound, Millis limit) {
    const Millis t0 = SDL_GetTicks64();
    while (sound.isPlaying() && SDL_GetTicks64() - t0 < limit) SDL_Delay(1);
}

class SdlSoundOnDevice : public testing::Test {
  protected:
    ScopedEnv driver{"SDL_AUDIODRIVER", "dummy"};
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

TEST_F(SdlSoundOnDevice, AsyncCallReturnsAtOnceAndPlaysForTheSoundsLength) {
    const Millis t0 = SDL_GetTicks64();
    sound.playSound(17, kAsync);
    EXPECT_LT(SDL_GetTicks64() - t0, 50u);
    EXPECT_TRUE(sound.isPlaying());
    EXPECT_EQ(sound.currentSound(), 17);
    untilQuiet(sound, 5000);
    const Millis total = SDL_GetTicks64() - t0;
    EXPECT_GE(total, soundLengthMs(17));
    EXPECT_LE(total, soundLengthMs(17) + kSlack);
    EXPECT_EQ(sound.currentSound(), 0);
}

TEST_F(SdlSoundOnDevice, NoStopLeavesAPlayingSoundAloneButStartsWhenQuiet) {
    sound.playSound(19, kAsync);
    sound.playSound(16, kAsyncNoStop);
    EXPECT_EQ(sound.currentSound(), 19);
    EXPECT_EQ(sound.starts(), 1);

    // A blocking no-stop call that is skipped must not wait either.
    const Millis t0 = SDL_GetTicks64();
    sound.playSound(16, kSync | kelvar::SND_NOSTOP);
    EXPECT_LT(SDL_GetTicks64() - t0, 50u);
    EXPECT_EQ(sound.currentSound(), 19);

    untilQuiet(sound, 5000);
    sound.playSound(16, kAsyncNoStop);
    EXPECT_EQ(sound.currentSound(), 16);
    EXPECT_EQ(sound.starts(), 2);
}

TEST_F(SdlSoundOnDevice, StartWithoutNoStopCutsOffThePreviousSound) {
    sound.playSound(24, kAsync); // 1.8 s
    SDL_Delay(100);
    const Millis t0 = SDL_GetTicks64();
    sound.playSound(15, kAsync);
    EXPECT_EQ(sound.currentSound(), 15);
    // Quiet after the short sound, not after the rest of the long one.
    untilQuiet(sound, 5000);
    const Millis took = SDL_GetTicks64() - t0;
    EXPECT_GE(took, soundLengthMs(15));
    EXPECT_LE(took, soundLengthMs(15) + kSlack);
    EXPECT_EQ(sound.starts(), 2);
}

TEST_F(SdlSoundOnDevice, UnknownIdStopsWhatPlaysAndDoesNotWait) {
    sound.playSound(24, kAsync);
    const Millis t0 = SDL_GetTicks64();
    sound.playSound(18, kSync);
    EXPECT_LT(SDL_GetTicks64() - t0, 50u);
    EXPECT_FALSE(sound.isPlaying());
}

// --- Without a device --------------------------------------------------------------------

int lines(const std::string& s) {
    return static_cast<int>(std::count(s.begin(), s.end(), '\n'));
}

void expectOneNoDeviceLine(const std::string& err) {
    EXPECT_EQ(lines(err), 1) << err;
    EXPECT_EQ(err.rfind("kelvar-raid: no sound device (", 0), 0u) << err;
    EXPECT_NE(err.find("); playing silently\n"), std::string::npos) << err;
}

TEST(SdlSoundSilent, SaysSoOnceAndKeepsTheGamesPaceOnTheClock) {
    kelvar::VirtualClock clock;
    testing::internal::CaptureStderr();
    SdlSound sound(clock, SdlSound::Output::Silent);
    expectOneNoDeviceLine(testing::internal::GetCapturedStderr());
    EXPECT_FALSE(sound.hasDevice());

    testing::internal::CaptureStderr();
    sound.playSound(17, kSync);
    EXPECT_EQ(clock.now(), soundLengthMs(17));
    sound.playSound(15, kAsync);
    EXPECT_EQ(clock.now(), soundLengthMs(17)) << "an async call does not wait";
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
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
    ScopedEnv driver("SDL_AUDIODRIVER", "kelvar_no_such_driver");
    kelvar::VirtualClock clock;
    testing::internal::CaptureStderr();
    {
        SdlSound sound(clock);
        EXPECT_FALSE(sound.hasDevice());
        const Millis t0 = clock.now();
        sound.playSound(16, kSync);
        EXPECT_EQ(clock.now() - t0, soundLengthMs(16));
    }
    expectOneNoDeviceLine(testing::internal::GetCapturedStderr());
    EXPECT_EQ(SDL_WasInit(SDL_INIT_AUDIO), 0u) << "the failed init is undone";
}

} // namespace
