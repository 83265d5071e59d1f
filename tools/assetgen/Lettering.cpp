#include "Lettering.h"

#include "PixelFont.h"

namespace quarnel::assetgen {

namespace {

// Blank columns a space takes, as wide as a narrow letter.
constexpr int SpaceColumns = 3;

int Advance(char code, const TextStyle& style) {
    const int columns = code == ' ' ? SpaceColumns : GlyphFor(code).Width();
    return columns * style.scaleX + style.gap;
}

// Where a glyph row starts, counted from the top of the glyph.
int RowEdge(const Glyph& glyph, int row, const TextStyle& style) {
    const int bodyRows = glyph.Height() - glyph.Descent();
    if (row <= bodyRows || style.descenderY.cells == 0) return style.scaleY.Edge(row);
    return style.scaleY.Edge(bodyRows) + style.descenderY.Edge(row - bodyRows);
}

void DrawGlyph(Canvas& canvas, int left, int top, const Glyph& glyph, const TextStyle& style,
               uint8_t index) {
    for (int row = 0; row < glyph.Height(); ++row) {
        const int y0 = top + RowEdge(glyph, row, style);
        const int y1 = top + RowEdge(glyph, row + 1, style) - 1;
        for (int column = 0; column < glyph.Width(); ++column) {
            if (!glyph.Ink(column, row)) continue;
            const int x0 = left + column * style.scaleX;
            canvas.FillRect(x0, y0, x0 + style.scaleX - 1, y1, index);
        }
    }
}

void DrawLayer(Canvas& canvas, int left, int top, std::string_view text, const TextStyle& style,
               uint8_t index) {
    int x = left;
    for (char code : text) {
        if (code != ' ') DrawGlyph(canvas, x, top, GlyphFor(code), style, index);
        x += Advance(code, style);
    }
}

}  // namespace

void DrawText(Canvas& canvas, int left, int top, std::string_view text, const TextStyle& style) {
    if (style.shadowDx != 0 || style.shadowDy != 0)
        DrawLayer(canvas, left + style.shadowDx, top + style.shadowDy, text, style, style.shadow);
    DrawLayer(canvas, left, top, text, style, style.face);
}

int TextWidth(std::string_view text, const TextStyle& style) {
    if (text.empty()) return 0;
    int width = 0;
    for (char code : text)
        width += Advance(code, style);
    return width - style.gap + style.shadowDx;
}

}  // namespace quarnel::assetgen
