#pragma once

#include <cstdint>

namespace quarnel::assetgen {

// White noise from a 32-bit xorshift generator: the same seed always gives the same hiss.
class NoiseSource {
  public:
    explicit NoiseSource(uint32_t seed) : state_(seed != 0 ? seed : 1u) {}

    uint32_t NextBits() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return state_;
    }

    // Uniform in [0, 1).
    double NextUnit() { return static_cast<double>(NextBits()) / 4294967296.0; }

    // Uniform in [-1, 1).
    double NextSigned() { return 2.0 * NextUnit() - 1.0; }

  private:
    uint32_t state_;
};

}  // namespace quarnel::assetgen
