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
#include <vector>

#include "core/base/sounds.hpp"
#include "platform/virtual/virtual_services.hpp"
#include "resources/sounds.hpp"

namespace kelvar {
namespace {

constexpr std::uint32_t kSync = SND_SYNC | SND_MEMORY;
constexpr std::uint32_t kAsync = SND_ASYNC | SND_MEMORY;
constexpr std::uint32_t kAsyncNoStop = kAsync | SND_NOSTOP;
// A wrong end (waiting twice, or for the give-up bound) is off by seconds; a busy machine that
// wakes the waiting thread late is off by far less.
constexpr Millis kSlack = 1000;

// Waits for what a test checks, as long as a busy machine may need; false if it never came.
bool waitFor(const std::function<bool()>& done) {
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!done()) {
        if (std::chrono::steady_clock::now() > giveUp) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

class SdlSoundOnDevice : public testing::Test {
  protected:
    const int driver = setenv("SDL_AUDIODRIVER", "dummy", 1); // before the sound opens a device
    VirtualClock clock; // must not be used while there is a device
    SdlSound sound{clock, resources::soundBytes};

    void SetUp() override { ASSERT_TRUE(sound.hasDevice()); }
    void TearDown() override { EXPECT_EQ(clock.now(), 0u); }
};

// While the game is quiet the device rests (its thread gone: no callbacks); a sound asked for
// meanwhile opens it and plays whole; a sound still playing keeps it open; the rest is no gap in
// the device's pacing. Whether its callbacks came on time is the scheduler's business, measured
// by `make bench`.
TEST_F(SdlSoundOnDevice, TheDeviceRestsWhileTheGameIsQuiet) {
    const auto noCallbacksOver = [&](int ms) {
        const auto before = sound.pacing().callbacks;
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
        return sound.pacing().callbacks == before;
    };
    // The device runs: its callbacks go on, however late a busy machine lets them come.
    const auto callbacksGoOn = [&] {
        const auto before = sound.pacing().callbacks;
        return waitFor([&] { return sound.pacing().callbacks != before; });
    };
    sound.setQuiet(true);
    EXPECT_TRUE(sound.hasDevice());
    EXPECT_TRUE(noCallbacksOver(50));
    const Millis t0 = SDL_GetTicks64();
    sound.playSound(16, kSync);
    EXPECT_GE(SDL_GetTicks64() - t0, soundLengthMs(16));
    sound.playSound(19, kAsync);
    sound.setQuiet(true);
    EXPECT_EQ(sound.currentSound(), 19);
    EXPECT_TRUE(callbacksGoOn()) << "closed while a sound played";
    sound.playSound(15, kSync);
    // A device slowed down by a busy machine may still be playing it when the call gives up.
    waitFor([&] { return !sound.isPlaying(); });
    sound.setQuiet(true);
    const auto gapBefore = sound.pacing().maxGapUs;
    const auto restStart = std::chrono::steady_clock::now();
    EXPECT_TRUE(noCallbacksOver(1000)) << "still open after the sound ended";
    sound.setQuiet(false);
    const auto restUs = std::chrono::duration_cast<std::chrono::microseconds>(
                            std::chrono::steady_clock::now() - restStart)
                            .count();
    EXPECT_TRUE(callbacksGoOn());
    // Counted, the rest would be the longest gap, unless the device had stalled longer before.
    const auto gap = sound.pacing().maxGapUs;
    EXPECT_TRUE(gap < restUs || gap == gapBefore) << "the rest was counted as a gap: " << gap;
}

// A silent sound "plays" from its start t while now < t + length, exactly like the virtual
// player the game core is tested with.
TEST(SdlSoundSilent, NoStopFollowsTheSilentLengthOnTheClock) {
    const Millis length = soundLengthMs(24);
    // How long after starting sound 24, and what plays then.
    for (const auto& [wait, current] :
         {std::pair{Millis(0), 24}, {length - 1, 24}, {length, 16}, {length + 500, 16}}) {
        VirtualClock clock;
        testing::internal::CaptureStderr();
        SdlSound sound(clock, resources::soundBytes, SdlSound::Output::Silent);
        VirtualSound reference(clock);
        testing::internal::GetCapturedStderr();

        sound.playSound(24, kAsync);
        reference.playSound(24, kAsync);
        clock.advance(wait);
        sound.playSound(16, kAsyncNoStop);
        reference.playSound(16, kAsyncNoStop);
        EXPECT_EQ(std::tuple(sound.currentSound(), sound.starts(), sound.isPlaying()),
                  std::tuple(current, int(reference.started().size()), reference.playing()))
            << "after " << wait;
    }
}

// Each way of having no device: a silent game, one line on stderr, the pace kept on the clock.
TEST(SdlSoundSilent, FallsBackWhenTheDeviceCannotBeOpened) {
    if (SDL_WasInit(SDL_INIT_AUDIO)) GTEST_SKIP() << "audio already initialised in this process";
    // The disk driver writes the samples to a file; one under a plain file cannot be created,
    // even by root.
    const std::string blocker = testing::TempDir() + "kelvar_sound_blocker";
    std::ofstream(blocker) << "not a folder";
    // The driver, and the disk driver's file.
    for (const auto& [driver, diskFile] :
         {std::pair<const char*, std::string>{"no_such_driver", ""},
          {"disk", blocker + "/sound.raw"}}) {
        const std::string what = driver;
        setenv("SDL_AUDIODRIVER", driver, 1);
        setenv("SDL_DISKAUDIOFILE", diskFile.c_str(), 1);
        VirtualClock clock;
        testing::internal::CaptureStderr();
        {
            SdlSound sound(clock, resources::soundBytes);
            EXPECT_FALSE(sound.hasDevice()) << what;
            sound.playSound(16, kSync); // keeps the game's pace on the clock
            EXPECT_EQ(clock.now(), soundLengthMs(16)) << what;
            sound.playSound(15, kAsync);
            EXPECT_EQ(clock.now(), soundLengthMs(16)) << what << ": an async call does not wait";
            EXPECT_EQ(sound.currentSound(), 15) << what;
        }
        const std::string err = testing::internal::GetCapturedStderr(); // one line, said once
        EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << what << ": " << err;
        EXPECT_EQ(err.rfind("kelvar-raid: no sound device (", 0), 0u) << err;
        EXPECT_NE(err.find("); playing silently\n"), std::string::npos) << err;
        EXPECT_EQ(SDL_WasInit(SDL_INIT_AUDIO), 0u) << what << ": the failed init is undone";
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
    VirtualClock clock;
    {
        SdlSound sound(clock, resources::soundBytes);
        ASSERT_TRUE(sound.hasDevice());
        const auto before = sound.pacing().callbacks;
        sound.playSound(24, kAsync);
        // Well into sound 24, counted from the call: the device may have run a while already.
        ASSERT_TRUE(waitFor([&] { return sound.pacing().callbacks >= before + 20; }));
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
        const auto b = resources::soundBytes(id);
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

// A sound played to its end sleeps through the program's waiter until the device has played
// it, a few times, not every few ms; a waiter that throws (a window closed during
// "G A M E   O V E R") ends the call at once and cuts the sound off. The end is the device's own:
// on a busy machine its thread runs slow, and the call waits for it (up to a bound).
TEST_F(SdlSoundOnDevice, BlockingSoundSleepsThroughTheWaiterAndEndsWhenItThrows) {
    using Steady = std::chrono::steady_clock; // CLOCK_MONOTONIC, as monotonicMicros()
    const auto nowUs = [] {
        return std::chrono::duration_cast<std::chrono::microseconds>(
                   Steady::now().time_since_epoch())
            .count();
    };
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
    // Each buffer the device fills: its first frame and when.
    std::vector<std::pair<std::uint64_t, std::int64_t>> fills;
    sound.watchFills(
        [&](std::uint64_t frame, std::int64_t atUs) { fills.emplace_back(frame, atUs); });
    const Millis length = soundLengthMs(24);
    const std::int64_t bufferUs = sound.pacing().bufferUs;
    const std::int64_t requestUs = nowUs();
    Millis t0 = SDL_GetTicks64();
    sound.playSound(24, kSync);
    const std::int64_t returnedUs = nowUs();
    EXPECT_GE(SDL_GetTicks64() - t0, length);
    sound.watchFills(nullptr);

    // Where the device put the sound: from the first buffer after the call, its frames on.
    const auto wav = resources::soundBytes(24);
    const std::uint64_t frames = (wav.size() - 44) / kSoundFrameBytes;
    const auto first = std::find_if(fills.begin(), fills.end(),
                                    [&](const auto& f) { return f.second >= requestUs; });
    ASSERT_NE(first, fills.end()) << "the device never ran";
    const std::uint64_t lastFrame = first->first + frames;
    const auto bufferFrames = static_cast<std::uint64_t>(bufferUs * kSoundRate / 1'000'000);
    const auto last = std::find_if(fills.rbegin(), fills.rend(),
                                   [&](const auto& f) { return f.first <= lastFrame; });
    const std::int64_t giveUpUs = requestUs + static_cast<std::int64_t>(length + 2000) * 1000;
    std::int64_t endUs = giveUpUs; // the device never got there: the call's bound
    if (lastFrame - last->first <= bufferFrames) {
        const auto& [frame, atUs] = *last;
        const std::int64_t playedUs =
            atUs + static_cast<std::int64_t>(lastFrame - frame) * 1'000'000 / kSoundRate;
        endUs = std::min(
            giveUpUs, std::max(first->second + static_cast<std::int64_t>(length) * 1000, playedUs) +
                          bufferUs);
    }
    EXPECT_GE(returnedUs, endUs - 2 * bufferUs) << "returned before the device had played it";
    EXPECT_LE(returnedUs, endUs + kSlack * 1000) << "waited past the sound's end";
    // Polling would wake once a buffer (5.8 ms), some 300 times over this sound; the wait wakes a
    // few times, plus once a buffer while the device falls behind its own pace.
    const auto filled = static_cast<std::int64_t>(std::distance(first, fills.end()));
    const std::int64_t behind =
        std::max<std::int64_t>(0, (returnedUs - requestUs) / bufferUs - filled);
    EXPECT_LT(calls, 20 + behind) << "woke every few ms; the device fell " << behind
                                  << " buffers behind";

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
    // Played to its end, the call would return 1.5 s after the close.
    EXPECT_LT(std::chrono::duration_cast<std::chrono::milliseconds>(returned - requested).count(),
              1000);
    EXPECT_FALSE(sound.isPlaying());
    EXPECT_EQ(sound.currentSound(), 0);
}

} // namespace
} // namespace kelvar
