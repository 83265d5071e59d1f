#include "render/SoundCatalogue.h"

#include "render/EmbeddedAssets.h"

namespace quarnel {

std::span<const uint8_t> WaveFile(int item) {
    if (item < 0 || item >= WaveItemCount) return {};
    return EmbeddedAsset(SoundCatalogue[item].file);
}

}  // namespace quarnel
