#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace quarnel {

// One picture of the image list as it is carried in the program: a BMP file's bytes and how
// the picture is cut into patterns and keyed.
struct PictureSource {
    std::string_view name;
    std::span<const uint8_t> bmp;
    int patternWidth = 0;  // 0 x 0: the whole picture is the single pattern 0
    int patternHeight = 0;
    uint32_t transparentRgb = 0;  // 0xRRGGBB; pixels of this colour are not drawn
};

// Patterns of a picture of this size: cells numbered left to right, then top to bottom.
constexpr int PatternCount(int width, int height, int patternWidth, int patternHeight) {
    if (patternWidth <= 0 || patternHeight <= 0) return 1;
    return (width / patternWidth) * (height / patternHeight);
}

}  // namespace quarnel
