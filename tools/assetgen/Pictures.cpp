#include "Pictures.h"

#include <cstdint>
#include <vector>

#include "Ground.h"
#include "Lettering.h"
#include "Rgb.h"

namespace quarnel::assetgen {

namespace {

constexpr int ScreenWidth = 640;
constexpr int ScreenHeight = 480;
constexpr int BlockSize = 32;

// The well: the frame's outer edge, its width and corner radius. The inside is exactly the
// 8 x 13 cells the game draws blocks into.
constexpr int WellOuterLeft = 313;
constexpr int WellOuterTop = 25;
constexpr int WellOuterRight = 582;
constexpr int WellOuterBottom = 454;
constexpr int WellFrameWidth = 7;
constexpr int WellCornerRadius = 9;
constexpr int WellStripHeight = 32;

// Light and dark edges of a rectangle's rim, the light edges on top and at the left, the way
// light from the upper left falls on a raised square. Where two edges meet the corner is split
// along the diagonal, the diagonal itself going to the top or left edge.
void DrawBevel(Canvas& canvas, int left, int top, int right, int bottom, int width, uint8_t topLeft,
               uint8_t bottomRight) {
    for (int y = top; y <= bottom; ++y) {
        for (int x = left; x <= right; ++x) {
            const int fromTop = y - top;
            const int fromLeft = x - left;
            const int fromBottom = bottom - y;
            const int fromRight = right - x;
            const int nearestLit = fromTop < fromLeft ? fromTop : fromLeft;
            const int nearestShaded = fromBottom < fromRight ? fromBottom : fromRight;
            if (nearestLit >= width && nearestShaded >= width) continue;
            canvas.Set(x, y, nearestLit <= nearestShaded ? topLeft : bottomRight);
        }
    }
}

}  // namespace

Canvas DrawBlocks() {
    struct BlockColours {
        uint32_t face;
        uint32_t light;
        uint32_t dark;
    };
    constexpr BlockColours Colours[] = {
        {0xFF0000, 0xFF8080, 0x800000},  // red
        {0xFFFF00, 0xFFFF80, 0x808000},  // yellow
        {0x0000FF, 0x8080FF, 0x000080},  // blue
        {0x00FF00, 0x80FF80, 0x008000},  // green
    };
    std::vector<Rgb> palette;
    for (const BlockColours& c : Colours) {
        palette.push_back(RgbHex(c.face));
        palette.push_back(RgbHex(c.light));
        palette.push_back(RgbHex(c.dark));
    }
    constexpr int RimWidth = 2;
    // The sunken square in the middle of each block, given by its outer edge.
    constexpr int InsetFirst = 8;
    constexpr int InsetLast = 23;

    Canvas canvas(BlockSize * 4, BlockSize, palette, 0);
    for (int i = 0; i < 4; ++i) {
        const auto face = static_cast<uint8_t>(3 * i);
        const auto light = static_cast<uint8_t>(3 * i + 1);
        const auto dark = static_cast<uint8_t>(3 * i + 2);
        const int x0 = BlockSize * i;
        canvas.FillRect(x0, 0, x0 + BlockSize - 1, BlockSize - 1, face);
        DrawBevel(canvas, x0, 0, x0 + BlockSize - 1, BlockSize - 1, RimWidth, light, dark);
        // Lit from the same side, a hollow shows its dark edges at the top and left.
        DrawBevel(canvas, x0 + InsetFirst, InsetFirst, x0 + InsetLast, InsetLast, RimWidth, dark,
                  light);
        canvas.FillRect(x0 + InsetFirst + RimWidth, InsetFirst + RimWidth,
                        x0 + InsetLast - RimWidth, InsetLast - RimWidth, face);
    }
    return canvas;
}

Canvas DrawGameBackground() {
    Canvas canvas(ScreenWidth, ScreenHeight, HousePalette(), hcWhite);
    PaintGround(canvas, 0, 0, ScreenWidth - 1, ScreenHeight - 1);

    // The name in two lines of tall letters down the left side.
    const TextStyle nameStyle{.scaleX = 11,
                              .scaleY = {17, 1},
                              .gap = 9,
                              .shadowDx = 4,
                              .shadowDy = 4,
                              .face = hcOrange,
                              .shadow = hcBrown};
    DrawText(canvas, 16, 17, "Quar", nameStyle);
    DrawText(canvas, 16, 164, "nel", nameStyle);

    // The score box, and above its left end a tab with the caption; the tab's bottom edge is
    // the box's top edge.
    constexpr int FrameWidth = 5;
    const auto framedBox = [&](int left, int top, int right, int bottom) {
        canvas.FillRect(left, top, right, bottom, hcBrown);
        canvas.FillRect(left + FrameWidth, top + FrameWidth, right - FrameWidth,
                        bottom - FrameWidth, hcWhite);
    };
    framedBox(28, 381, 277, 453);
    const int tabLeft = 29, tabTop = 343, tabRight = 153, tabBottom = 385;
    framedBox(tabLeft, tabTop, tabRight, tabBottom);
    const TextStyle captionStyle{.scaleX = 4,
                                 .scaleY = {3, 1},
                                 .gap = 3,
                                 .shadowDx = 2,
                                 .shadowDy = 2,
                                 .face = hcOrange,
                                 .shadow = hcBrown};
    const int tabInsideWidth = tabRight - tabLeft + 1 - 2 * FrameWidth;
    const int captionHeight = 7 * 3 + captionStyle.shadowDy;
    const int tabInsideHeight = tabBottom - tabTop + 1 - 2 * FrameWidth;
    DrawText(canvas, tabLeft + FrameWidth + (tabInsideWidth - TextWidth("POINT", captionStyle)) / 2,
             tabTop + FrameWidth + (tabInsideHeight - captionHeight) / 2, "POINT", captionStyle);

    // The well, its frame rounded outside and square inside, the grid showing through.
    canvas.FillRoundedRect(WellOuterLeft, WellOuterTop, WellOuterRight, WellOuterBottom,
                           WellCornerRadius, hcBrown);
    PaintGround(canvas, WellOuterLeft + WellFrameWidth, WellOuterTop + WellFrameWidth,
                WellOuterRight - WellFrameWidth, WellOuterBottom - WellFrameWidth);
    return canvas;
}

Canvas CropWellTop(const Canvas& gameBackground) {
    const int left = WellOuterLeft + WellFrameWidth;
    const int width = WellOuterRight - WellFrameWidth - left + 1;
    return gameBackground.Crop(left, 0, width, WellStripHeight);
}

Canvas DrawOpening() {
    Canvas canvas(ScreenWidth, ScreenHeight, HousePalette(), hcWhite);
    PaintGround(canvas, 0, 0, ScreenWidth - 1, ScreenHeight - 1);

    const TextStyle titleStyle{.scaleX = 15,
                               .scaleY = {10, 1},
                               .gap = 16,
                               .shadowDx = 4,
                               .shadowDy = 4,
                               .face = hcOrange,
                               .shadow = hcBrown};
    DrawText(canvas, 35, 39, "Quarnel", titleStyle);

    // The menu; the game puts its pointer to the left of the chosen word. Exit is set one pixel
    // taller so that the three words sit on the lines the game expects, and the tail of the p
    // is kept short for the same reason.
    constexpr int MenuLeft = 318;
    TextStyle menuStyle{.scaleX = 6,
                        .scaleY = {35, 7},
                        .descenderY = {7, 2},
                        .gap = 6,
                        .shadowDx = 2,
                        .shadowDy = 2,
                        .face = hcOrange,
                        .shadow = hcBrown};
    DrawText(canvas, MenuLeft, 197, "Start", menuStyle);
    DrawText(canvas, MenuLeft, 279, "Options", menuStyle);
    menuStyle.scaleY = {36, 7};
    DrawText(canvas, MenuLeft, 368, "Exit", menuStyle);
    return canvas;
}

Canvas DrawShutter() {
    enum : uint8_t { panel, edge, slat, black };
    Canvas canvas(ScreenWidth, ScreenHeight,
                  {RgbHex(0xC0C0C0), RgbHex(0x808080), RgbHex(0xA0A0A0), RgbHex(0x000000)}, panel);

    // Seams between the slats of a roller shutter.
    constexpr int SlatPitch = 12;
    for (int y = SlatPitch - 1; y < ScreenHeight; y += SlatPitch)
        canvas.FillRect(0, y, ScreenWidth - 1, y, slat);

    // Braces from corner to corner, 7 pixels thick. The diagonal through (0,0) and (640,480) is
    // 3x = 4y, so pixel (x, y), whose centre is half a pixel in, lies |6x - 8y - 1| / 10 pixels
    // from it; likewise for the other diagonal. Whole numbers keep the edges exact.
    constexpr int HalfThicknessTimesTen = 35;
    for (int y = 0; y < ScreenHeight; ++y) {
        for (int x = 0; x < ScreenWidth; ++x) {
            const int falling = 6 * x - 8 * y - 1;
            const int rising = 6 * x + 8 * y + 7 - 2 * 3 * ScreenWidth;
            if ((falling >= -HalfThicknessTimesTen && falling <= HalfThicknessTimesTen) ||
                (rising >= -HalfThicknessTimesTen && rising <= HalfThicknessTimesTen))
                canvas.Set(x, y, edge);
        }
    }

    constexpr int BarWidth = 10;
    canvas.FillRect(318, 0, 318 + BarWidth - 1, ScreenHeight - 1, edge);
    canvas.FillRect(0, 235, ScreenWidth - 1, 235 + BarWidth - 1, edge);
    canvas.FillRect(0, 0, ScreenWidth - 1, BarWidth - 1, edge);
    canvas.FillRect(0, ScreenHeight - BarWidth, ScreenWidth - 1, ScreenHeight - 1, edge);
    canvas.FillRect(0, 0, BarWidth - 1, ScreenHeight - 1, edge);
    canvas.FillRect(ScreenWidth - BarWidth, 0, ScreenWidth - 1, ScreenHeight - 1, edge);

    // The maker's plate near the lower right corner.
    const int plateLeft = 466, plateTop = 419, plateRight = 598, plateBottom = 468;
    constexpr int PlateRadius = 6;
    constexpr int PlateRim = 2;
    canvas.FillRoundedRect(plateLeft, plateTop, plateRight, plateBottom, PlateRadius, panel);
    canvas.FrameRoundedRect(plateLeft, plateTop, plateRight, plateBottom, PlateRadius, PlateRim,
                            black);
    const TextStyle plateStyle{.scaleX = 3, .scaleY = {4, 1}, .gap = 2, .face = black};
    const int insideWidth = plateRight - plateLeft + 1 - 2 * PlateRim;
    const int insideHeight = plateBottom - plateTop + 1 - 2 * PlateRim;
    DrawText(canvas, plateLeft + PlateRim + (insideWidth - TextWidth("QUARNEL", plateStyle)) / 2,
             plateTop + PlateRim + (insideHeight - 7 * 4) / 2, "QUARNEL", plateStyle);
    return canvas;
}

Canvas DrawPointer() {
    enum : uint8_t { transparent, red, shade };
    Canvas canvas(BlockSize, BlockSize, {RgbHex(0xFFFFFF), RgbHex(0xFF0000), RgbHex(0x800000)},
                  transparent);
    // In half pixels from the middle of the square the disc has radius 32. The shade is the
    // part of it outside a slightly smaller disc moved up and to the left: a crescent along the
    // lower right rim.
    for (int y = 0; y < BlockSize; ++y) {
        for (int x = 0; x < BlockSize; ++x) {
            const int dx = 2 * x + 1 - BlockSize;
            const int dy = 2 * y + 1 - BlockSize;
            if (dx * dx + dy * dy > BlockSize * BlockSize) continue;
            const int lx = dx + 6;
            const int ly = dy + 6;
            const bool lit = lx * lx + ly * ly <= 33 * 33;
            canvas.Set(x, y, !lit && dx + dy > 0 ? shade : red);
        }
    }
    return canvas;
}

Canvas DrawDigits() {
    enum : uint8_t { transparent, orange, brown };
    Canvas canvas(BlockSize * 10, BlockSize, {RgbHex(0xFFFFFF), RgbHex(0xFF8040), RgbHex(0x804000)},
                  transparent);
    const TextStyle digitStyle{.scaleX = 3,
                               .scaleY = {3, 1},
                               .shadowDx = 1,
                               .shadowDy = 1,
                               .face = orange,
                               .shadow = brown};
    for (int d = 0; d < 10; ++d) {
        const char text[] = {static_cast<char>('0' + d), '\0'};
        DrawText(canvas, BlockSize * d + 8, 2, text, digitStyle);
    }
    return canvas;
}

}  // namespace quarnel::assetgen
