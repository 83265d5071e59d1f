#pragma once

#include <cstdint>
#include <vector>

#include "Canvas.h"
#include "Rgb.h"

namespace quarnel::assetgen {

// The colours of the game screen and the title screen, by palette index.
enum HouseColour : uint8_t {
    hcWhite = 0,
    hcGridLine = 1,
    hcShadedTile = 2,
    hcOrange = 3,
    hcBrown = 4,
};

std::vector<Rgb> HousePalette();

// Tiles of the same size as a block, so that the grid in the well lines up with the cells.
inline constexpr int TileSize = 32;

// The white ground with its faint grid: a grid line along each tile's top and left edges and
// every other tile shaded, checkerwise. The pattern follows the picture's own coordinates, so
// any part of it can be painted again after something else has covered it.
void PaintGround(Canvas& canvas, int left, int top, int right, int bottom);

}  // namespace quarnel::assetgen
