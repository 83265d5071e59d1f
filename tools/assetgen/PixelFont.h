#pragma once

#include <array>
#include <string_view>

namespace quarnel::assetgen {

// One character of the game's own pixel font: '#' marks ink, '.' paper. Capitals and
// lowercase stand 7 rows tall from the top of the capitals, and g j p q y reach 2 rows further
// down; digits are 8 rows tall. Widths vary: narrow letters take fewer columns.
struct Glyph {
    char code = 0;
    std::array<std::string_view, 9> rows{};

    int Width() const { return static_cast<int>(rows[0].size()); }
    int Height() const;
    // Rows that hang below the baseline.
    int Descent() const;
    bool Ink(int column, int row) const { return rows[row][column] == '#'; }
};

inline constexpr int LetterRows = 7;  // from the top of the capitals down to the baseline

// The glyph for a character; throws for a character the font does not have.
const Glyph& GlyphFor(char code);

}  // namespace quarnel::assetgen
