#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "platform/PictureSource.h"
#include "render/PictureItems.h"

namespace quarnel {

inline constexpr uint32_t clWhite = 0xFFFFFF;
inline constexpr uint32_t clBlack = 0x000000;
inline constexpr uint32_t clYellow = 0xFFFF00;
// Without a desktop colour scheme to take the two system colours from, both become a colour
// that none of the pictures uses, so the pictures keyed with them draw opaque.
inline constexpr uint32_t UnusedKeyColour = 0xFF00FF;
inline constexpr uint32_t clBtnHighlight = UnusedKeyColour;
inline constexpr uint32_t clBackground = UnusedKeyColour;

struct PictureEntry {
    std::string_view name;
    std::string_view file;  // the built-in asset it comes from
    int width;
    int height;
    int bitsPerPixel;
    int patternWidth;  // 0 x 0: one pattern, the whole picture
    int patternHeight;
    uint32_t transparentRgb;

    constexpr PatternGrid Patterns() const {
        return CutIntoPatterns(width, height, patternWidth, patternHeight);
    }
};

// The picture items in index order.
inline constexpr std::array<PictureEntry, PictureItemCount> PictureCatalogue{{
    {"block", "block.bmp", 128, 32, 4, 32, 32, clBtnHighlight},
    {"bg_game", "bg_game.bmp", 640, 480, 4, 0, 0, clBackground},
    {"bg_block", "bg_block.bmp", 256, 32, 24, 0, 0, clBlack},
    {"opening", "opening.bmp", 640, 480, 4, 0, 0, clBackground},
    {"shoutter", "shoutter.bmp", 640, 480, 4, 0, 0, clYellow},
    {"pointer", "pointer.bmp", 32, 32, 4, 0, 0, clWhite},
    {"int", "int.bmp", 320, 32, 4, 32, 32, clWhite},
}};

// The catalogue with the built-in bytes of each picture, ready for an image list.
std::array<PictureSource, PictureItemCount> PictureSources();

}  // namespace quarnel
