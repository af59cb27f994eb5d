#pragma once
#include <cstdint>

namespace kelvar {

// The game's one random sequence: a 24-bit linear congruential generator. It is never seeded
// from the clock, so every run draws the same numbers and a demo replays exactly.
class Random {
  public:
    static constexpr std::uint32_t kStart = 327680;
    explicit Random(std::uint64_t seed = kStart)
        : x_(static_cast<std::uint32_t>(seed % kModulus)) {}

    // The next value r, 0 <= r < 1.
    double next() {
        x_ = static_cast<std::uint32_t>((std::uint64_t{x_} * 1140671485u + 12820163u) % kModulus);
        return static_cast<double>(x_) / kModulus;
    }
    std::uint32_t state() const { return x_; }

  private:
    static constexpr std::uint64_t kModulus = 1u << 24;
    std::uint32_t x_;
};

} // namespace kelvar
