#pragma once
#include <cstdint>
#include <functional>

namespace kelvar {

// The blocking wait on a 32-bit millisecond counter: returns at the first reading that is more
// than `ms` after the starting one. The elapsed time is taken modulo 2^32, so a counter that
// wraps around during the wait does not end it early or keep it waiting forever.
// `sleep(maxMs)` may rest the thread for up to that long between readings.
void waitMoreThan(std::int32_t ms, const std::function<std::uint32_t()>& counter,
                  const std::function<void(std::uint32_t)>& sleep);

} // namespace kelvar
