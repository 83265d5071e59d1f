#include "platform/sdl/Rgb565.h"

#include <cstring>

namespace quarnel {

void WidenRgb565(int width, int height, const void* from, int fromPitch, void* to, int toPitch) {
    for (int y = 0; y < height; ++y) {
        const auto* in = static_cast<const uint8_t*>(from) + y * fromPitch;
        auto* out = static_cast<uint8_t*>(to) + y * toPitch;
        for (int x = 0; x < width; ++x) {
            uint16_t p;
            std::memcpy(&p, in + 2 * x, sizeof p);
            const uint32_t wide = Rgb565ToArgb8888(p);
            std::memcpy(out + 4 * x, &wide, sizeof wide);
        }
    }
}

}  // namespace quarnel
