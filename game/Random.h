#pragma once

#include <cstdint>

namespace quarnel {

// The game's one source of chance: a 32-bit linear congruential generator whose sequence
// replays and stored seeds depend on, so it must never change.
class RandomGenerator {
  public:
    explicit RandomGenerator(uint32_t seed = 0) : seed_(seed) {}

    void Seed(uint32_t seed) { seed_ = seed; }
    uint32_t CurrentSeed() const { return seed_; }

    // A uniform integer 0..n-1 (0 when n is 0).
    uint32_t RandomBelow(uint32_t n) {
        seed_ = seed_ * 134775813u + 1u;
        return static_cast<uint32_t>((uint64_t{seed_} * n) >> 32);
    }

  private:
    uint32_t seed_;
};

}  // namespace quarnel
