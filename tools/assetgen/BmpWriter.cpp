#include "BmpWriter.h"

#include "LittleEndian.h"

namespace quarnel::assetgen {

namespace {

constexpr uint32_t FileHeaderSize = 14;
constexpr uint32_t InfoHeaderSize = 40;
constexpr uint32_t PixelsPerMetre = 2835;  // 72 dots per inch
constexpr uint32_t PaletteEntries = 16;

// Rows start on 4-byte boundaries.
uint32_t RowStride(int width, int bitsPerPixel) {
    return (static_cast<uint32_t>(width) * static_cast<uint32_t>(bitsPerPixel) + 31u) / 32u * 4u;
}

void PutHeaders(std::vector<uint8_t>& out, const Canvas& canvas, int bitsPerPixel,
                uint32_t paletteEntries) {
    const uint32_t imageSize =
        RowStride(canvas.Width(), bitsPerPixel) * static_cast<uint32_t>(canvas.Height());
    const uint32_t pixelOffset = FileHeaderSize + InfoHeaderSize + 4u * paletteEntries;
    PutTag(out, "BM");
    PutU32(out, pixelOffset + imageSize);
    PutU16(out, 0);
    PutU16(out, 0);
    PutU32(out, pixelOffset);

    PutU32(out, InfoHeaderSize);
    PutU32(out, static_cast<uint32_t>(canvas.Width()));
    PutU32(out, static_cast<uint32_t>(canvas.Height()));  // positive: rows go bottom-up
    PutU16(out, 1);
    PutU16(out, static_cast<uint32_t>(bitsPerPixel));
    PutU32(out, 0);  // BI_RGB
    PutU32(out, imageSize);
    PutU32(out, PixelsPerMetre);
    PutU32(out, PixelsPerMetre);
    PutU32(out, paletteEntries);
    PutU32(out, 0);
}

void PadRow(std::vector<uint8_t>& out, std::size_t rowStart, uint32_t stride) {
    while (out.size() - rowStart < stride)
        out.push_back(0);
}

}  // namespace

std::vector<uint8_t> EncodeBmp4(const Canvas& canvas) {
    std::vector<uint8_t> out;
    PutHeaders(out, canvas, 4, PaletteEntries);
    for (uint32_t i = 0; i < PaletteEntries; ++i) {
        const Rgb colour = i < canvas.Palette().size() ? canvas.Palette()[i] : Rgb{};
        out.push_back(colour.b);
        out.push_back(colour.g);
        out.push_back(colour.r);
        out.push_back(0);
    }
    const uint32_t stride = RowStride(canvas.Width(), 4);
    for (int y = canvas.Height() - 1; y >= 0; --y) {
        const std::size_t rowStart = out.size();
        for (int x = 0; x < canvas.Width(); x += 2) {
            const uint8_t leftPixel = canvas.At(x, y);
            const uint8_t rightPixel = x + 1 < canvas.Width() ? canvas.At(x + 1, y) : 0;
            out.push_back(static_cast<uint8_t>(leftPixel << 4 | rightPixel));
        }
        PadRow(out, rowStart, stride);
    }
    return out;
}

std::vector<uint8_t> EncodeBmp24(const Canvas& canvas) {
    std::vector<uint8_t> out;
    PutHeaders(out, canvas, 24, 0);
    const uint32_t stride = RowStride(canvas.Width(), 24);
    for (int y = canvas.Height() - 1; y >= 0; --y) {
        const std::size_t rowStart = out.size();
        for (int x = 0; x < canvas.Width(); ++x) {
            const Rgb colour = canvas.ColourAt(x, y);
            out.push_back(colour.b);
            out.push_back(colour.g);
            out.push_back(colour.r);
        }
        PadRow(out, rowStart, stride);
    }
    return out;
}

}  // namespace quarnel::assetgen
