#include "render/SoundCatalogue.h"

#include "render/EmbeddedAssets.h"

namespace quarnel {

std::span<const uint8_t> WaveFile(int item) {
    if (item < 0 || item >= WaveItemCount) return {};
    return EmbeddedAsset(SoundCatalogue[item].file);
}

std::array<std::span<const uint8_t>, WaveItemCount> WaveFiles() {
    std::array<std::span<const uint8_t>, WaveItemCount> files;
    for (int i = 0; i < WaveItemCount; ++i)
        files[i] = WaveFile(i);
    return files;
}

}  // namespace quarnel
