#include "Ground.h"

namespace quarnel::assetgen {

std::vector<Rgb> HousePalette() {
    return {RgbHex(0xFFFFFF), RgbHex(0xF0F0F0), RgbHex(0xF8F8F8), RgbHex(0xFF8040),
            RgbHex(0x804000)};
}

void PaintGround(Canvas& canvas, int left, int top, int right, int bottom) {
    for (int y = top; y <= bottom; ++y) {
        for (int x = left; x <= right; ++x) {
            uint8_t colour = hcWhite;
            if (x % TileSize == 0 || y % TileSize == 0)
                colour = hcGridLine;
            else if ((x / TileSize + y / TileSize) % 2 == 1)
                colour = hcShadedTile;
            canvas.Set(x, y, colour);
        }
    }
}

}  // namespace quarnel::assetgen
