#include <gtest/gtest.h>

#include <set>
#include <string>

#include "render/EmbeddedAssets.h"
#include "render/PictureCatalogue.h"
#include "render/SoundCatalogue.h"
#include "tests/PictureReference.h"

namespace quarnel {
namespace {

using test::DecodePicture;
using test::RgbPicture;
using test::To565;

uint32_t Le(std::span<const uint8_t> b, size_t at, int bytes) {
    uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i)
        v = v << 8 | b[at + i];
    return v;
}

std::string Tag(std::span<const uint8_t> b, size_t at) {
    return std::string(reinterpret_cast<const char*>(b.data() + at), 4);
}

std::set<uint32_t> Colours(const RgbPicture& p) {
    return {p.pixels.begin(), p.pixels.end()};
}

TEST(AssetFilesTest, PicturesAreUncompressedBmpsOfTheirSizeAndDepth) {
    for (const PictureEntry& e : PictureCatalogue) {
        SCOPED_TRACE(std::string(e.file));
        const auto b = EmbeddedAsset(e.file);
        ASSERT_GE(b.size(), 54u);
        const uint32_t stride = (e.width * e.bitsPerPixel + 31) / 32 * 4;
        const uint32_t paletteBytes = e.bitsPerPixel == 4 ? 16 * 4 : 0;
        EXPECT_EQ(b[0], 'B');
        EXPECT_EQ(b[1], 'M');
        EXPECT_EQ(Le(b, 2, 4), b.size());
        EXPECT_EQ(Le(b, 10, 4), 54 + paletteBytes);  // pixels follow header and palette
        EXPECT_EQ(Le(b, 14, 4), 40u);                // BITMAPINFOHEADER
        EXPECT_EQ(Le(b, 18, 4), uint32_t(e.width));
        EXPECT_EQ(Le(b, 22, 4), uint32_t(e.height));  // positive: rows bottom-up
        EXPECT_EQ(Le(b, 26, 2), 1u);
        EXPECT_EQ(Le(b, 28, 2), uint32_t(e.bitsPerPixel));
        EXPECT_EQ(Le(b, 30, 4), 0u);  // uncompressed
        EXPECT_EQ(b.size(), 54 + paletteBytes + stride * e.height);
        EXPECT_EQ(Le(b, 46, 4), e.bitsPerPixel == 4 ? 16u : 0u);  // palette entries
    }
}

TEST(AssetFilesTest, PicturesUseTheirColoursOnly) {
    const std::set<uint32_t> ground = {0xFFFFFF, 0xF0F0F0, 0xF8F8F8, 0xFF8040, 0x804000};
    EXPECT_EQ(Colours(DecodePicture(piBgGame)), ground);
    EXPECT_EQ(Colours(DecodePicture(piBlock)),
              (std::set<uint32_t>{0xFF0000, 0xFF8080, 0x800000, 0xFFFF00, 0xFFFF80, 0x808000,
                                  0x0000FF, 0x8080FF, 0x000080, 0x00FF00, 0x80FF80, 0x008000}));
    EXPECT_EQ(Colours(DecodePicture(piPointer)),
              (std::set<uint32_t>{0xFF0000, 0x800000, 0xFFFFFF}));
    EXPECT_EQ(Colours(DecodePicture(piInt)), (std::set<uint32_t>{0xFFFFFF, 0xFF8040, 0x804000}));
    const auto shutter = Colours(DecodePicture(piShoutter));
    for (uint32_t c : {0xC0C0C0u, 0x808080u, 0x000000u})
        EXPECT_TRUE(shutter.count(c)) << std::hex << c;
    const auto opening = Colours(DecodePicture(piOpening));
    for (uint32_t c : ground)
        EXPECT_TRUE(opening.count(c)) << std::hex << c;
}

// A picture that is not meant to have see-through parts must have no pixel equal to its key,
// compared in the surface's 16-bit format, where near colours can meet.
TEST(AssetFilesTest, OpaquePicturesNeverHitTheirKey) {
    for (int item : {piBlock, piBgGame, piBgBlock, piOpening, piShoutter}) {
        const PictureEntry& e = PictureCatalogue[item];
        const uint16_t key = To565(e.transparentRgb);
        for (uint32_t c : Colours(DecodePicture(item)))
            EXPECT_NE(To565(c), key) << e.name << " has colour " << std::hex << c;
    }
}

TEST(AssetFilesTest, OnlyTheWhiteGroundOfPointerAndDigitsIsSeeThrough) {
    const RgbPicture pointer = DecodePicture(piPointer);
    for (auto [x, y] : {std::pair{0, 0}, {31, 0}, {0, 31}, {31, 31}})
        EXPECT_EQ(pointer.At(x, y), clWhite) << x << "," << y;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            const double dx = x + 0.5 - 16, dy = y + 0.5 - 16;
            if (dx * dx + dy * dy < 14 * 14) {
                ASSERT_NE(pointer.At(x, y), clWhite) << x << "," << y;
            }
        }
    // Each digit keeps to X 8..23, Y 2..26 of its cell and has ink.
    const RgbPicture digits = DecodePicture(piInt);
    for (int d = 0; d < 10; ++d) {
        int ink = 0;
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x) {
                if (digits.At(32 * d + x, y) == clWhite) continue;
                ++ink;
                EXPECT_TRUE(x >= 8 && x <= 23 && y >= 2 && y <= 26) << d << " at " << x << "," << y;
            }
        EXPECT_GT(ink, 40) << d;
    }
}

TEST(AssetFilesTest, TopStripIsACopyOfTheGameBackground) {
    const RgbPicture strip = DecodePicture(piBgBlock);
    const RgbPicture ground = DecodePicture(piBgGame);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 256; ++x)
            ASSERT_EQ(strip.At(x, y), ground.At(320 + x, y)) << x << "," << y;
}

TEST(AssetFilesTest, BlocksAreBevelledSquares) {
    const RgbPicture block = DecodePicture(piBlock);
    const uint32_t face[] = {0xFF0000, 0xFFFF00, 0x0000FF, 0x00FF00};
    const uint32_t light[] = {0xFF8080, 0xFFFF80, 0x8080FF, 0x80FF80};
    const uint32_t dark[] = {0x800000, 0x808000, 0x000080, 0x008000};
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        const auto at = [&](int x, int y) { return block.At(32 * i + x, y); };
        EXPECT_EQ(at(16, 1), light[i]);   // top band
        EXPECT_EQ(at(1, 16), light[i]);   // left band
        EXPECT_EQ(at(16, 30), dark[i]);   // bottom band
        EXPECT_EQ(at(30, 16), dark[i]);   // right band
        EXPECT_EQ(at(16, 8), dark[i]);    // sunken outline, top
        EXPECT_EQ(at(8, 16), dark[i]);    // sunken outline, left
        EXPECT_EQ(at(16, 23), light[i]);  // sunken outline, bottom
        EXPECT_EQ(at(23, 16), light[i]);  // sunken outline, right
        EXPECT_EQ(at(16, 16), face[i]);
        EXPECT_EQ(at(4, 4), face[i]);
    }
}

// The well's inside is exactly the board's area: no frame pixel strays into it, and the frame
// closes round it.
TEST(AssetFilesTest, WellFrameSurroundsTheBoardArea) {
    const RgbPicture ground = DecodePicture(piBgGame);
    constexpr uint32_t brown = 0x804000, orange = 0xFF8040;
    for (int y = 32; y <= 447; ++y)
        for (int x = 320; x <= 575; ++x) {
            ASSERT_NE(ground.At(x, y), brown) << x << "," << y;
            ASSERT_NE(ground.At(x, y), orange) << x << "," << y;
        }
    for (int t = 0; t < 7; ++t) {
        EXPECT_EQ(ground.At(313 + t, 240), brown);  // left side
        EXPECT_EQ(ground.At(576 + t, 240), brown);  // right side
        EXPECT_EQ(ground.At(448, 25 + t), brown);   // top
        EXPECT_EQ(ground.At(448, 448 + t), brown);  // bottom
    }
    // The score digits stand on plain white inside the score box.
    for (int y = 400; y < 432; ++y)
        for (int x = 48; x < 272; ++x)
            ASSERT_EQ(ground.At(x, y), clWhite) << x << "," << y;
}

TEST(AssetFilesTest, SoundsArePcmWavesOfTheirRateAndLength) {
    for (int item = 0; item < WaveItemCount; ++item) {
        const WaveEntry& e = SoundCatalogue[item];
        SCOPED_TRACE(std::string(e.file));
        const auto b = WaveFile(item);
        ASSERT_GE(b.size(), 44u);
        EXPECT_EQ(Tag(b, 0), "RIFF");
        EXPECT_EQ(Le(b, 4, 4), b.size() - 8);
        EXPECT_EQ(Tag(b, 8), "WAVE");
        EXPECT_EQ(Tag(b, 12), "fmt ");
        EXPECT_EQ(Le(b, 16, 4), 16u);
        EXPECT_EQ(Le(b, 20, 2), 1u);  // PCM
        EXPECT_EQ(Le(b, 22, 2), 1u);  // mono
        EXPECT_EQ(Le(b, 24, 4), uint32_t(e.sampleRate));
        EXPECT_EQ(Le(b, 28, 4), uint32_t(e.sampleRate));  // bytes a second
        EXPECT_EQ(Le(b, 32, 2), 1u);
        EXPECT_EQ(Le(b, 34, 2), 8u);
        EXPECT_EQ(Tag(b, 36), "data");
        ASSERT_EQ(Le(b, 40, 4), uint32_t(e.dataBytes));
        EXPECT_EQ(b.size(), 44u + e.dataBytes + e.dataBytes % 2);  // odd chunks are padded

        // Audible, and ending at rest so that it stops without a click.
        int loudest = 0;
        for (int k = 0; k < e.dataBytes; ++k)
            loudest = std::max(loudest, std::abs(int{b[44 + k]} - 128));
        EXPECT_GT(loudest, 40);
        EXPECT_LE(std::abs(int{b[44 + e.dataBytes - 1]} - 128), 2);
    }
}

}  // namespace
}  // namespace quarnel
