#pragma once

#include <cstdint>
#include <string_view>

#include "Canvas.h"

namespace quarnel::assetgen {

// A scale given as a ratio, so that a word can be set to an exact pixel height: cell n of the
// glyph starts at pixel n * pixels / cells, rounded, which spreads any odd pixels evenly.
struct Stretch {
    int pixels = 1;
    int cells = 1;

    int Edge(int cell) const { return (2 * cell * pixels + cells) / (2 * cells); }
};

struct TextStyle {
    int scaleX = 1;
    Stretch scaleY;
    // The rows below the baseline may be squeezed so that g, p, q and y hang less deep; with no
    // cells given they are scaled like the rest.
    Stretch descenderY{0, 0};
    int gap = 0;  // paper between neighbouring letters, in pixels
    int shadowDx = 0;
    int shadowDy = 0;
    uint8_t face = 0;
    uint8_t shadow = 0;
};

// Sets the text with the top left of its first glyph at (left, top); the shadow falls down and
// to the right. Every shadow goes down before any letter so that no shadow covers a neighbour.
void DrawText(Canvas& canvas, int left, int top, std::string_view text, const TextStyle& style);

// The width DrawText covers, shadow included.
int TextWidth(std::string_view text, const TextStyle& style);

}  // namespace quarnel::assetgen
