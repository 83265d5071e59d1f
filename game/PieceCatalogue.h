#pragma once

#include <array>
#include <cstdint>

#include "game/GameState.h"

namespace quarnel {

struct Offset {
    int8_t dx;
    int8_t dy;
    constexpr bool operator==(const Offset&) const = default;
};

// A short ordered list of cells relative to the anchor; order matters for the side probes.
struct ProbeList {
    uint8_t count;
    std::array<Offset, 4> cells;
    constexpr const Offset* begin() const { return cells.data(); }
    constexpr const Offset* end() const { return cells.data() + count; }
};

struct PieceEntry {
    std::array<Offset, 4> Cells;  // slot 0 is the anchor, always (0, 0)
    int8_t SpawnBX;
    int8_t SpawnBY;
    int8_t MinBX;
    int8_t MaxBX;
    int8_t RowLimit;
    ProbeList TouchProbes;
    ProbeList RightProbes;
    ProbeList LeftProbes;
};

inline constexpr int PieceTypeCount = 24;

constexpr bool IsPieceType(unsigned type) {
    return type >= 1 && type <= PieceTypeCount;
}

// The entry of type 1..24; callers check IsPieceType first.
const PieceEntry& CatalogueEntry(unsigned type);

constexpr int PieceGroup(unsigned type) {
    return static_cast<int>(type - 1) / 4 + 1;
}
constexpr int Orientation(unsigned type) {
    return static_cast<int>(type - 1) % 4;
}
constexpr uint8_t TurnedClockwise(uint8_t type) {
    return Orientation(type) == 3 ? type - 3 : type + 1;
}
constexpr uint8_t TurnedAnticlockwise(uint8_t type) {
    return Orientation(type) == 0 ? type + 3 : type - 1;
}

// Whether a piece of this type at BX/BY would be blocked one row lower.
bool TouchCheck(const GameState& gs, uint8_t type);

// Holds the active piece within the well's columns; never looks at the board.
void ClampBX(GameState& gs);

// The board cell of block `slot` of the active piece.
inline void BlockCell(const GameState& gs, int slot, int& x, int& y) {
    const Offset o = CatalogueEntry(gs.BF).Cells[slot];
    x = gs.BX + o.dx;
    y = gs.BY - 1 + o.dy;
}

}  // namespace quarnel
