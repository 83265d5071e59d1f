#pragma once

#include <cstdint>
#include <vector>

#include "Rgb.h"

namespace quarnel::assetgen {

// A picture whose pixels are indices into a palette of at most 16 colours, as the 4-bit files
// store them. Rectangles are given by their inclusive corners; drawing outside is clipped.
class Canvas {
  public:
    Canvas(int width, int height, std::vector<Rgb> palette, uint8_t fill);

    int Width() const { return width_; }
    int Height() const { return height_; }
    const std::vector<Rgb>& Palette() const { return palette_; }

    uint8_t At(int x, int y) const;
    Rgb ColourAt(int x, int y) const { return palette_[At(x, y)]; }

    void Set(int x, int y, uint8_t index);
    void FillRect(int left, int top, int right, int bottom, uint8_t index);
    // A rectangle whose corners are cut round to the given radius.
    void FillRoundedRect(int left, int top, int right, int bottom, int radius, uint8_t index);
    // Only the band of the given thickness just inside the rounded rectangle's edge.
    void FrameRoundedRect(int left, int top, int right, int bottom, int radius, int thickness,
                          uint8_t index);

    // A copy of part of the picture, with the same palette.
    Canvas Crop(int left, int top, int width, int height) const;

  private:
    int width_;
    int height_;
    std::vector<Rgb> palette_;
    std::vector<uint8_t> pixels_;
};

// Whether the pixel's centre lies inside the rounded rectangle.
bool InsideRoundedRect(int x, int y, int left, int top, int right, int bottom, int radius);

}  // namespace quarnel::assetgen
