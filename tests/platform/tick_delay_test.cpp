#include <gtest/gtest.h>

#include <limits>

#include "platform/sound.hpp"
#include "platform/tick_delay.hpp"
#include "platform/virtual/virtual_services.hpp"

namespace kelvar {
namespace {

// A 32-bit millisecond counter that moves on by `step` at every reading, and by the amount
// slept; it wraps around like the system's.
struct FakeCounter {
    std::uint32_t now;
    std::uint32_t step;
    std::uint32_t start = 0, last = 0;
    int reads = 0;
    std::uint32_t read() {
        last = now;
        if (reads++ == 0) start = now;
        now += step;
        return last;
    }
};

TEST(WaitMoreThan, EndsJustAfterTheWaitEvenAcrossTheCountersWrap) {
    constexpr std::uint32_t kMax = std::numeric_limits<std::uint32_t>::max();
    for (std::uint32_t origin : {0u, 1000u, kMax - 5, kMax - 1, kMax}) {
        for (std::int32_t ms : {0, 1, 10, 350, 100000}) {
            FakeCounter c{origin, 1};
            waitMoreThan(
                ms, [&] { return c.read(); }, [&](std::uint32_t s) { c.now += s; });
            const std::uint32_t elapsed = c.last - c.start;
            EXPECT_GT(elapsed, static_cast<std::uint32_t>(ms)) << origin << " " << ms;
            // Sleeping never carries the wait far past its end.
            EXPECT_LE(elapsed, static_cast<std::uint32_t>(ms) + 2) << origin << " " << ms;
        }
    }
}

TEST(SoundFlags, TheGamesFlagsBecomeMemoryPlays) {
    const struct {
        std::optional<std::uint32_t> in;
        std::uint32_t out;
    } cases[] = {
        {0u, 4u},       {1u, 5u},       {17u, 21u},        {std::nullopt, 7u},
        {0x20000u, 4u}, {0x10000u, 4u}, {0x30011u, 0x15u},
    };
    for (const auto& c : cases) EXPECT_EQ(normaliseSoundFlags(c.in), c.out);
}

TEST(SoundFlags, LengthsAreTheRecordingsRoundedUpToWholeMilliseconds) {
    EXPECT_EQ(soundLengthMs(16), 309u); // 6799 frames at 22050: 308.3 ms
    EXPECT_EQ(soundLengthMs(24), 1802u);
}

TEST(VirtualSound, OneSoundAtATime) {
    VirtualClock clock;
    VirtualSound sound(clock);
    sound.playSound(15, normaliseSoundFlags(SND_ASYNC)); // 318 ms
    clock.advance(317);
    sound.playSound(16, normaliseSoundFlags(SND_ASYNC | SND_NOSTOP)); // still playing: skipped
    EXPECT_EQ(sound.started(), (std::vector<int>{15}));
    clock.advance(1);
    EXPECT_FALSE(sound.playing());
    sound.playSound(16, normaliseSoundFlags(SND_ASYNC | SND_NOSTOP)); // 15 has ended: heard
    clock.advance(100);
    sound.playSound(17, normaliseSoundFlags(SND_ASYNC)); // cuts 16 off; plays its own 280 ms
    EXPECT_EQ(sound.started(), (std::vector<int>{15, 16, 17}));
    clock.advance(279);
    EXPECT_TRUE(sound.playing());
    clock.advance(1);
    EXPECT_FALSE(sound.playing());
    // Played to its end: the call takes the sound's length and nothing plays afterwards.
    const Millis before = clock.now();
    sound.playSound(25, normaliseSoundFlags(SND_SYNC));
    EXPECT_EQ(clock.now() - before, 942u);
    EXPECT_FALSE(sound.playing());
}

} // namespace
} // namespace kelvar
