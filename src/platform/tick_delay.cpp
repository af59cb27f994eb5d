#include "platform/tick_delay.hpp"

namespace kelvar {

void waitMoreThan(std::int32_t ms, const std::function<std::uint32_t()>& counter,
                  const std::function<void(std::uint32_t)>& sleep) {
    const std::uint32_t wanted = ms < 0 ? 0u : static_cast<std::uint32_t>(ms);
    const std::uint32_t start = counter();
    for (;;) {
        const std::uint32_t elapsed = counter() - start; // modulo 2^32: wrap-safe
        if (elapsed > wanted) return;
        // Sleep for the bulk of what is left, then read again; never past the deadline.
        const std::uint32_t left = wanted - elapsed;
        sleep(left > 1 ? left - 1 : 0);
    }
}

} // namespace kelvar
