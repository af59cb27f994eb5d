#include "platform/sdl/sdl_sound.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <iterator>
#include <mutex>
#include <string>
#include <thread>

#include "platform/virtual/virtual_services.hpp"
#include "resources/sounds.hpp"

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
    SdlSound sound{clock, kelvar::resources::soundBytes};

    void SetUp() override { ASSERT_TRUE(sound.hasDevice()); }
    void TearDown() override { EXPECT_EQ(clock.now(), 0u); }
};

// While the game is quiet the device rests (its thread gone: no callbacks); a sound asked for
// meanwhile opens it and plays whole; a sound still playing keeps it open; the rest is no gap.
TEST_F(SdlSoundOnDevice, TheDeviceRestsWhileTheGameIsQuiet) {
    const auto callbacksOver = [&](int ms) {
        const auto before = sound.pacing().callbacks;
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
        return sound.pacing().callbacks - before;
    };
    sound.setQuiet(true);
    EXPECT_TRUE(sound.hasDevice());
    EXPECT_EQ(callbacksOver(50), 0u);
    const Millis t0 = SDL_GetTicks64();
    sound.playSound(16, kSync);
    EXPECT_GE(SDL_GetTicks64() - t0, soundLengthMs(16));
    sound.playSound(19, kAsync);
    sound.setQuiet(true);
    EXPECT_GT(callbacksOver(50), 0u) << "closed while a sound played";
    EXPECT_EQ(sound.currentSound(), 19);
    sound.playSound(15, kSync);
    sound.setQuiet(true);
    // A rest far longer than any stall of a busy machine's audio thread: were it counted as a
    // gap, the longest gap would be at least this long.
    constexpr int kRestMs = 300;
    std::this_thread::sleep_for(std::chrono::milliseconds(kRestMs));
    sound.setQuiet(false);
    EXPECT_GT(callbacksOver(50), 0u);
    EXPECT_LT(sound.pacing().maxGapUs, kRestMs * 1000);
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
        SdlSound sound(clock, kelvar::resources::soundBytes, SdlSound::Output::Silent);
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

// Each way of having no device: a silent game, one line on stderr, the pace kept on the clock.
TEST(SdlSoundSilent, FallsBackWhenTheDeviceCannotBeOpened) {
    if (SDL_WasInit(SDL_INIT_AUDIO)) GTEST_SKIP() << "audio already initialised in this process";
    // The disk driver writes the samples to a file; one under a plain file cannot be created,
    // even by root.
    const std::string blocker = testing::TempDir() + "kelvar_sound_blocker";
    std::ofstream(blocker) << "not a folder";
    struct Case {
        const char* what;
        const char* driver;
        std::string diskFile;
    };
    for (const Case& c : {Case{"no such driver", "kelvar_no_such_driver", ""},
                          Case{"disk driver, unwritable", "disk", blocker + "/sound.raw"}}) {
        setenv("SDL_AUDIODRIVER", c.driver, 1);
        setenv("SDL_DISKAUDIOFILE", c.diskFile.c_str(), 1);
        kelvar::VirtualClock clock;
        testing::internal::CaptureStderr();
        {
            SdlSound sound(clock, kelvar::resources::soundBytes);
            EXPECT_FALSE(sound.hasDevice()) << c.what;
            sound.playSound(16, kSync); // keeps the game's pace on the clock
            EXPECT_EQ(clock.now(), soundLengthMs(16)) << c.what;
            sound.playSound(15, kAsync);
            EXPECT_EQ(clock.now(), soundLengthMs(16)) << c.what << ": an async call does not wait";
            EXPECT_EQ(sound.currentSound(), 15) << c.what;
        }
        const std::string err = testing::internal::GetCapturedStderr(); // one line, said once
        EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << c.what << ": " << err;
        EXPECT_EQ(err.rfind("kelvar-raid: no sound device (", 0), 0u) << err;
        EXPECT_NE(err.find("); playing silently\n"), std::string::npos) << err;
        EXPECT_EQ(SDL_WasInit(SDL_INIT_AUDIO), 0u) << c.what << ": the failed init is undone";
    }
    unsetenv("SDL_DISKAUDIOFILE");
    std::remove(blocker.c_str());
}

// A cut-off: the new sound starts where the old one stops, at once and unmixed once the old
// one's short fade is over; nothing of the old sound is left after that.
TEST(SdlSoundOnDisk, CutOffStartsTheNewSoundWhereTheOldOneFades) {
    if (SDL_WasInit(SDL_INIT_AUDIO)) GTEST_SKIP() << "audio already initialised in this process";
    const std::string file = testing::TempDir() + "kelvar_cut.raw";
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", file.c_str(), 1);
    kelvar::VirtualClock clock;
    {
        SdlSound sound(clock, kelvar::resources::soundBytes);
        ASSERT_TRUE(sound.hasDevice());
        const auto before = sound.pacing().callbacks;
        sound.playSound(24, kAsync);
        // Well into sound 24, counted from the call: the device may have run a while already.
        while (sound.pacing().callbacks < before + 20) std::this_thread::yield();
        sound.playSound(15, kSync);
    }
    unsetenv("SDL_DISKAUDIOFILE");
    std::ifstream in(file, std::ios::binary);
    const std::vector<char> raw((std::istreambuf_iterator<char>(in)), {});
    std::remove(file.c_str());
    const auto frames = [](const char* p, std::size_t n) {
        std::vector<std::uint32_t> v(n / 4);
        std::memcpy(v.data(), p, v.size() * 4);
        return v;
    };
    const auto out = frames(raw.data(), raw.size());
    const auto wav = [&](int id) {
        const auto b = kelvar::resources::soundBytes(id);
        return frames(reinterpret_cast<const char*>(b.data()) + 44, b.size() - 44);
    };
    const auto old = wav(24), hit = wav(15);
    const auto found = std::search(out.begin(), out.end(), old.begin() + 200, old.begin() + 456);
    ASSERT_NE(found, out.end()) << "sound 24 not found";
    const auto start = found - 200;
    constexpr std::ptrdiff_t kFade = 44; // 2 ms
    const auto cut =
        std::search(start, out.end(), hit.begin() + kFade, hit.begin() + kFade + 256) - kFade;
    ASSERT_GT(cut - start, 0) << "sound 15 not found after sound 24";
    ASSERT_LT(cut - start, static_cast<std::ptrdiff_t>(old.size())) << "never cut off";
    ASSERT_GE(out.end() - cut, static_cast<std::ptrdiff_t>(hit.size()));
    EXPECT_TRUE(std::equal(start, cut, old.begin())) << "sound 24 played unmixed until the cut";
    EXPECT_FALSE(std::equal(cut, cut + kFade, hit.begin())) << "the old sound stopped dead";
    EXPECT_TRUE(std::equal(cut + kFade, cut + hit.size(), hit.begin() + kFade));
    EXPECT_TRUE(std::all_of(cut + hit.size(), out.end(), [](auto f) { return f == 0; }));
}

// A sound played to its end sleeps through the program's waiter until it has played, a few
// times, not every few ms; a waiter that throws (a window closed during "G A M E   O V E R")
// ends the call at once and cuts the sound off.
TEST_F(SdlSoundOnDevice, BlockingSoundSleepsThroughTheWaiterAndEndsWhenItThrows) {
    using Steady = std::chrono::steady_clock; // CLOCK_MONOTONIC, as monotonicMicros()
    struct Closed {};
    std::mutex m;
    std::condition_variable cv;
    bool closed = false;
    int calls = 0;
    sound.setWaiter([&](std::int64_t until) {
        ++calls;
        std::unique_lock lock(m);
        if (cv.wait_until(lock, Steady::time_point(std::chrono::microseconds(until)),
                          [&] { return closed; }))
            throw Closed{};
    });
    const Millis length = soundLengthMs(24);
    Millis t0 = SDL_GetTicks64();
    sound.playSound(24, kSync);
    EXPECT_GE(SDL_GetTicks64() - t0, length);
    EXPECT_LE(SDL_GetTicks64() - t0, length + kSlack);
    EXPECT_FALSE(sound.isPlaying());
    EXPECT_LT(calls, 20) << "woke every few ms";

    Steady::time_point requested{};
    std::thread closer([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        std::lock_guard lock(m);
        closed = true;
        requested = Steady::now();
        cv.notify_all();
    });
    t0 = SDL_GetTicks64();
    EXPECT_THROW(sound.playSound(24, kSync), Closed);
    const auto returned = Steady::now();
    closer.join();
    EXPECT_GE(SDL_GetTicks64() - t0, 290u) << "it played until the close";
    EXPECT_LT(std::chrono::duration_cast<std::chrono::milliseconds>(returned - requested).count(),
              100);
    EXPECT_FALSE(sound.isPlaying());
    EXPECT_EQ(sound.currentSound(), 0);
}

} // namespace
