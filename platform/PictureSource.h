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

// How a picture is cut into patterns: cells of one size, numbered left to right, then top to
// bottom.
struct PatternGrid {
    int width;  // of one pattern
    int height;
    int columns;
    int count;

    constexpr bool Has(int pattern) const { return pattern >= 0 && pattern < count; }
    // Top-left corner of a pattern within the picture.
    constexpr int Left(int pattern) const { return pattern % columns * width; }
    constexpr int Top(int pattern) const { return pattern / columns * height; }
};

// A pattern size of 0 x 0 makes the whole picture the single pattern 0.
constexpr PatternGrid CutIntoPatterns(int width, int height, int patternWidth, int patternHeight) {
    if (patternWidth <= 0 || patternHeight <= 0) return {width, height, 1, 1};
    return {patternWidth, patternHeight, width / patternWidth,
            (width / patternWidth) * (height / patternHeight)};
}

}  // namespace quarnel
