#pragma once

#include <span>
#include <string>
#include <vector>

#include "platform/PictureSource.h"
#include "platform/Surface.h"
#include "platform/sdl/SdlSurface.h"

namespace quarnel {

// The pictures, each decoded and converted to the surface's pixel format once, when the list
// is made; a draw is then a colour-keyed copy between surfaces of the same format.
class SdlImageList final : public ImageList {
  public:
    // Throws std::runtime_error naming the picture when one cannot be decoded or converted.
    SdlImageList(SdlSurface& target, std::span<const PictureSource> pictures);

    void DrawPattern(int item, int x, int y, int pattern) override;

    int Count() const { return static_cast<int>(items_.size()); }
    int PatternCount(int item) const { return items_.at(item).patterns.count; }
    // One pattern on a surface of its own, as for a window icon; null for a bad pattern.
    SurfacePtr CopyPattern(int item, int pattern) const;

  private:
    struct Item {
        SurfacePtr pixels;
        PatternGrid patterns;
    };

    SdlSurface& target_;
    std::vector<Item> items_;
};

}  // namespace quarnel
