#include "game/Steps.h"
#include "game/WaveItems.h"

namespace quarnel {
namespace {

constexpr int MinRun = 3;
constexpr int MaxVerticalRun = 12;  // a column of 13 like blocks leaves its bottom one
constexpr int PassBonus = 200;

// Points of a run, by its length.
constexpr int kHorizontalPoints[] = {0, 0, 0, 10, 12, 18, 36, 81, 306};
constexpr int kVerticalPoints[] = {0, 0, 0, 10, 12, 18, 36, 90, 270, 750, 1200, 1800, 5000};

void AddRunPoints(GameState& gs, int points) {
    gs.PendingPoints = AddPoints(gs.PendingPoints, points);
    ++gs.EraseCount;
}

// A run starting at (x, y) going right, within the well.
void EraseHorizontal(GameState& gs, int x, int y) {
    const uint8_t c = gs.Board[x][y];
    int end = x;
    while (end + 1 < WellColumns && gs.Board[end + 1][y] == c)
        ++end;
    if (end - x + 1 < MinRun) return;
    for (int i = x; i <= end; ++i) {
        auto& column = gs.Board[i];
        for (int r = y; r >= 1; --r)
            column[r] = column[r - 1];
        column[0] = EmptyCell;
    }
    AddRunPoints(gs, kHorizontalPoints[end - x + 1]);
}

// Longest first; each test looks at what the cell holds after the erases before it.
void EraseVertical(GameState& gs, int x, int y) {
    auto& column = gs.Board[x];
    for (int length = MaxVerticalRun; length >= MinRun; --length) {
        const uint8_t c = column[y];
        if (c == EmptyCell) return;
        if (y + length - 1 >= BoardRows) continue;
        bool run = true;
        for (int r = y + 1; r <= y + length - 1 && run; ++r)
            run = column[r] == c;
        if (!run) continue;
        for (int r = y + length - 1; r >= length; --r)
            column[r] = column[r - length];
        for (int r = 0; r < length; ++r)
            column[r] = EmptyCell;
        AddRunPoints(gs, kVerticalPoints[length]);
    }
}

}  // namespace

void EraseStep(GameState& gs, WaveList& wave) {
    gs.EraseCount = 0;
    for (int x = 0; x < WellColumns; ++x) {
        for (int y = 0; y < BoardRows; ++y) {
            if (gs.Board[x][y] == EmptyCell) continue;
            EraseHorizontal(gs, x, y);
            EraseVertical(gs, x, y);
        }
    }
    if (gs.EraseCount == 0) {
        gs.Score = AddPoints(gs.Score, gs.PendingPoints);
        gs.Phase = psTopCheck;
    } else {
        gs.PendingPoints = AddPoints(gs.PendingPoints, PassBonus);
        wave.PlayWave(wiHit);
    }
}

}  // namespace quarnel
