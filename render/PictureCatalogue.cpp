#include "render/PictureCatalogue.h"

#include "render/EmbeddedAssets.h"

namespace quarnel {

std::array<PictureSource, PictureItemCount> PictureSources() {
    std::array<PictureSource, PictureItemCount> sources;
    for (int i = 0; i < PictureItemCount; ++i) {
        const PictureEntry& e = PictureCatalogue[i];
        sources[i] = {e.name, EmbeddedAsset(e.file), e.patternWidth, e.patternHeight,
                      e.transparentRgb};
    }
    return sources;
}

}  // namespace quarnel
