#pragma once

#include <cstdint>

namespace quarnel {

// A 16-bit RGB565 pixel widened to 32-bit XRGB with each channel's bits repeated into the
// low bits, so white stays white. This is the widening a saved frame gets; SDL's own fast
// path for 16 to 32 bits differs from it in the lowest bit of some greens.
constexpr uint32_t Rgb565ToArgb8888(uint16_t p) {
    const uint32_t r = p >> 11, g = (p >> 5) & 0x3F, b = p & 0x1F;
    return 0xFF000000u | ((r << 3 | r >> 2) << 16) | ((g << 2 | g >> 4) << 8) | (b << 3 | b >> 2);
}

// Converts `width` x `height` pixels; pitches are in bytes.
void WidenRgb565(int width, int height, const void* from, int fromPitch, void* to, int toPitch);

}  // namespace quarnel
