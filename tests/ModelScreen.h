#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "render/PictureCatalogue.h"
#include "tests/PictureReference.h"

namespace quarnel::test {

// A plain, slow model of the surface and its pictures: fills and keyed, clipped draws on an
// array of 16-bit pixels, to hold the real drawing against.
class ModelScreen {
  public:
    ModelScreen(int width, int height) : width_(width), height_(height), pixels_(width * height) {}

    void Fill(uint16_t colour) { pixels_.assign(pixels_.size(), colour); }

    void Draw(int item, int x, int y, int pattern) {
        if (item < 0 || item >= PictureItemCount) return;
        const PictureEntry& entry = PictureCatalogue[item];
        const PatternGrid grid = entry.Patterns();
        if (!grid.Has(pattern)) return;
        const RgbPicture& picture = Picture(item);
        const int left = grid.Left(pattern), top = grid.Top(pattern);
        for (int py = 0; py < grid.height; ++py)
            for (int px = 0; px < grid.width; ++px) {
                const long long sx = 0LL + x + px, sy = 0LL + y + py;
                if (sx < 0 || sy < 0 || sx >= width_ || sy >= height_) continue;
                const uint16_t pixel = To565(picture.At(left + px, top + py));
                if (pixel != To565(entry.transparentRgb)) pixels_[sy * width_ + sx] = pixel;
            }
    }

    const std::vector<uint16_t>& Pixels() const { return pixels_; }
    uint16_t At(int x, int y) const { return pixels_[y * width_ + x]; }

  private:
    static const RgbPicture& Picture(int item) {
        static const std::array<RgbPicture, PictureItemCount> pictures = [] {
            std::array<RgbPicture, PictureItemCount> all;
            for (int i = 0; i < PictureItemCount; ++i)
                all[i] = DecodePicture(i);
            return all;
        }();
        return pictures[item];
    }

    int width_;
    int height_;
    std::vector<uint16_t> pixels_;
};

}  // namespace quarnel::test
