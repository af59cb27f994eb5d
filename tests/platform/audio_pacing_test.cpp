#include "platform/audio_pacing.hpp"

#include <gtest/gtest.h>

#include <vector>

namespace {

// A callback is late when more than two buffers have passed since the one before: the buffer
// it was due after, and the one the device still held.
TEST(AudioPacing, CountsGapsLongerThanTwoBuffers) {
    struct Case {
        const char* what;
        std::vector<std::int64_t> at;
        std::uint64_t late;
        std::int64_t maxGap;
    };
    const std::vector<Case> cases{
        {"one callback", {1000}, 0, 0},
        {"on time", {0, 1000, 2000, 3000}, 0, 1000},
        {"two buffers exactly", {0, 2000, 2500}, 0, 2000},
        {"just over two", {0, 2001, 3000}, 1, 2001},
        {"two stalls", {0, 5000, 6000, 9000}, 2, 5000},
        {"first callback at time 0 counts", {0, 3000}, 1, 3000},
    };
    for (const Case& c : cases) {
        kelvar::AudioPacing p;
        p.bufferUs = 1000;
        for (std::int64_t t : c.at) p.note(t);
        EXPECT_EQ(p.callbacks, c.at.size()) << c.what;
        EXPECT_EQ(p.late, c.late) << c.what;
        EXPECT_EQ(p.maxGapUs, c.maxGap) << c.what;
    }
}

} // namespace
