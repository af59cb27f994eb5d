#pragma once
#include <cstdint>

namespace kelvar {

// Milliseconds since an arbitrary start; never goes backwards.
using Millis = std::uint64_t;

class Clock {
  public:
    virtual ~Clock() = default;
    virtual Millis now() = 0;
    // Blocks for more than `ms` milliseconds of this clock. Never processes events.
    virtual void tickDelay(std::int32_t ms) = 0;
};

} // namespace kelvar
