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

    static constexpr int kBits = 24;

    // The next value r, 0 <= r < 1.
    double next() { return static_cast<double>(nextState()) / kModulus; }
    // The same step as next(), as the integer r * 2^kBits: for rules that can stay exact in
    // integers without the conversion.
    std::uint32_t nextState() {
        x_ = static_cast<std::uint32_t>((std::uint64_t{x_} * 1140671485u + 12820163u) % kModulus);
        return x_;
    }
    std::uint32_t state() const { return x_; }

  private:
    static constexpr std::uint64_t kModulus = std::uint64_t{1} << kBits;
    std::uint32_t x_;
};

} // namespace kelvar
