#pragma once

#include <cstdint>

namespace quarnel {

// The 640 x 480 drawing surface, composed off screen and shown by FlipSurface.
class Surface {
  public:
    virtual ~Surface() = default;
    virtual void FillSurface(uint16_t color) = 0;
    virtual void FlipSurface() = 0;
};

// The pictures bound to the surface, addressed by item index.
class ImageList {
  public:
    virtual ~ImageList() = default;
    // Draws one pattern with the item's colour key, clipped to the surface; nothing for a
    // pattern index outside the item's patterns.
    virtual void DrawPattern(int item, int x, int y, int pattern) = 0;
};

}  // namespace quarnel
