#pragma once

#include <cstdint>

namespace quarnel::assetgen {

struct Rgb {
    uint8_t r = 0;
    uint8_t g = 0;
    uint8_t b = 0;

    friend bool operator==(const Rgb&, const Rgb&) = default;
};

// Builds a colour from the usual 0xRRGGBB notation.
constexpr Rgb RgbHex(uint32_t hex) {
    return Rgb{static_cast<uint8_t>(hex >> 16), static_cast<uint8_t>(hex >> 8),
               static_cast<uint8_t>(hex)};
}

}  // namespace quarnel::assetgen
