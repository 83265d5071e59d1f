#pragma once

#include <array>
#include <cstdint>

namespace quarnel {

inline constexpr int BoardColumns = 9;  // columns 0..7 are the well; column 8 stays empty
inline constexpr int WellColumns = 8;
inline constexpr int BoardRows = 13;
inline constexpr uint8_t EmptyCell = 255;

// Stored column by column: Board[x][y], x from the left, y from the top.
using BoardCells = std::array<std::array<uint8_t, BoardRows>, BoardColumns>;

enum GamePhase : uint8_t {
    psSpawn = 0,
    psFall = 1,
    psLanded = 2,
    psSlide = 3,
    psLock = 4,
    psErase = 5,
    psTopCheck = 6,
    psGameOver = 7,
    psTitle = 8,
    psStart = 9,
};

// Everything the game knows. Zero-filled at program start; FormCreate makes it playable.
struct GameState {
    uint8_t BF = 0;  // active piece type 1..24, 0 for none
    int8_t BX = 0;   // column of the anchor block
    int8_t BY = 0;   // row directly below the anchor block
    int8_t BYC = 0;  // tick counter of the current phase
    std::array<uint8_t, 4> BlockColor{};
    uint8_t Phase = 0;
    uint8_t CanAct = 0;
    BoardCells Board{};  // the well
    uint8_t EraseCount = 0;
    int32_t Score = 0;
    int32_t PendingPoints = 0;
    int32_t HighScore = 0;

    bool operator==(const GameState&) const = default;
};

void ClearBoard(GameState& gs);

inline bool InsideBoard(int x, int y) {
    return x >= 0 && x < BoardColumns && y >= 0 && y < BoardRows;
}

// Scores only grow; a sum past the 32-bit range sticks at its top instead of wrapping negative.
inline int32_t AddPoints(int32_t total, int32_t points) {
    const int64_t sum = int64_t{total} + points;
    return sum > INT32_MAX ? INT32_MAX : static_cast<int32_t>(sum);
}

}  // namespace quarnel
