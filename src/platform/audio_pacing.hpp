#pragma once
// Watches the audio device's callbacks for the gaps that crackle: a device keeps about one
// buffer queued beyond the one it asks for, so a callback that comes more than two buffers
// after the one before has let the queue run dry.
#include <cstdint>

namespace kelvar {

// Microseconds of `frames` sample frames at `rate`, rounded up.
constexpr std::int64_t framesToMicros(std::uint64_t frames, int rate) {
    return static_cast<std::int64_t>((frames * 1'000'000 + static_cast<std::uint64_t>(rate) - 1) /
                                     static_cast<std::uint64_t>(rate));
}

struct AudioPacing {
    std::int64_t bufferUs = 0; // one device buffer
    std::int64_t lastUs = -1;  // the previous callback; -1 before the first
    std::int64_t maxGapUs = 0;
    std::uint64_t callbacks = 0;
    std::uint64_t late = 0; // callbacks that came after the queue had run dry

    void note(std::int64_t nowUs);
};

} // namespace kelvar
