#include "Canvas.h"

#include <stdexcept>
#include <utility>

namespace quarnel::assetgen {

Canvas::Canvas(int width, int height, std::vector<Rgb> palette, uint8_t fill)
    : width_(width), height_(height), palette_(std::move(palette)) {
    if (width <= 0 || height <= 0 || palette_.empty() || palette_.size() > 16 ||
        fill >= palette_.size())
        throw std::invalid_argument("bad canvas");
    pixels_.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), fill);
}

uint8_t Canvas::At(int x, int y) const {
    if (x < 0 || x >= width_ || y < 0 || y >= height_) throw std::out_of_range("pixel outside");
    return pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
                   static_cast<std::size_t>(x)];
}

void Canvas::Set(int x, int y, uint8_t index) {
    // A colour missing from the palette would only show up as garbage in the file.
    if (index >= palette_.size()) throw std::out_of_range("colour outside the palette");
    if (x < 0 || x >= width_ || y < 0 || y >= height_) return;
    pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
            static_cast<std::size_t>(x)] = index;
}

void Canvas::FillRect(int left, int top, int right, int bottom, uint8_t index) {
    for (int y = top; y <= bottom; ++y)
        for (int x = left; x <= right; ++x)
            Set(x, y, index);
}

void Canvas::FillRoundedRect(int left, int top, int right, int bottom, int radius, uint8_t index) {
    for (int y = top; y <= bottom; ++y)
        for (int x = left; x <= right; ++x)
            if (InsideRoundedRect(x, y, left, top, right, bottom, radius)) Set(x, y, index);
}

void Canvas::FrameRoundedRect(int left, int top, int right, int bottom, int radius, int thickness,
                              uint8_t index) {
    const int innerRadius = radius > thickness ? radius - thickness : 0;
    for (int y = top; y <= bottom; ++y)
        for (int x = left; x <= right; ++x)
            if (InsideRoundedRect(x, y, left, top, right, bottom, radius) &&
                !InsideRoundedRect(x, y, left + thickness, top + thickness, right - thickness,
                                   bottom - thickness, innerRadius))
                Set(x, y, index);
}

Canvas Canvas::Crop(int left, int top, int width, int height) const {
    Canvas part(width, height, palette_, 0);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            part.Set(x, y, At(left + x, top + y));
    return part;
}

bool InsideRoundedRect(int x, int y, int left, int top, int right, int bottom, int radius) {
    if (x < left || x > right || y < top || y > bottom) return false;
    // Work in half pixels so that pixel centres and corner centres are whole numbers.
    const int cx2 = 2 * x + 1;
    const int cy2 = 2 * y + 1;
    int dx2 = 0;
    int dy2 = 0;
    if (x < left + radius)
        dx2 = 2 * (left + radius) - cx2;
    else if (x > right - radius)
        dx2 = cx2 - 2 * (right + 1 - radius);
    if (y < top + radius)
        dy2 = 2 * (top + radius) - cy2;
    else if (y > bottom - radius)
        dy2 = cy2 - 2 * (bottom + 1 - radius);
    if (dx2 <= 0 || dy2 <= 0) return true;
    return dx2 * dx2 + dy2 * dy2 <= 4 * radius * radius;
}

}  // namespace quarnel::assetgen
