#include "render/Frame.h"

#include "game/PieceCatalogue.h"
#include "render/PictureItems.h"

namespace quarnel {
namespace {

constexpr int PointerX = 250;
constexpr int PointerY = 200;
constexpr int ScoreRightX = 240;
constexpr int ScoreY = 400;
constexpr int ShutterStepPixels = 24;

void DrawPiece(const GameState& gs, ImageList& list) {
    if (!IsPieceType(gs.BF)) return;
    const PieceEntry& piece = CatalogueEntry(gs.BF);
    for (int slot = 0; slot < 4; ++slot) {
        const Offset o = piece.Cells[slot];
        list.DrawPattern(piBlock, WellLeft + CellSize * (gs.BX + o.dx), CellSize * (gs.BY + o.dy),
                         gs.BlockColor[slot]);
    }
}

void DrawBoard(const GameState& gs, ImageList& list) {
    for (int x = 0; x < WellColumns; ++x)
        for (int y = 0; y < BoardRows; ++y)
            list.DrawPattern(piBlock, WellLeft + CellSize * x, WellTop + CellSize * y,
                             static_cast<int8_t>(gs.Board[x][y]));  // EmptyCell reads as -1
}

// Characters in the decimal text of v, sign included.
int DecimalLength(int32_t v) {
    int n = v < 0 ? 2 : 1;
    for (int64_t rest = v < 0 ? -int64_t{v} : v; rest >= 10; rest /= 10)
        ++n;
    return n;
}

void DrawScore(const GameState& gs, ImageList& list) {
    const int digits = DecimalLength(gs.Score);
    int v = gs.Score;
    for (int k = 0; k < digits; ++k) {
        list.DrawPattern(piInt, ScoreRightX - CellSize * k, ScoreY, v % 10);
        v /= 10;
    }
}

void DrawTitle(ImageList& list) {
    list.DrawPattern(piOpening, 0, 0, 0);
    list.DrawPattern(piPointer, PointerX, PointerY, 0);
}

void DrawShutterDown(int byc, ImageList& list) {
    list.DrawPattern(piShoutter, 0, ShutterStepPixels * (byc - 20), 0);
}

void DrawShutterUp(int byc, ImageList& list) {
    list.DrawPattern(piShoutter, 0, ShutterStepPixels * (30 - byc), 0);
}

void DrawGameOver(int byc, ImageList& list) {
    if (byc >= 1 && byc <= 20) {
        DrawShutterDown(byc, list);
    } else if (byc >= 21 && byc <= 30) {
        list.DrawPattern(piShoutter, 0, 0, 0);
    } else if (byc >= 31 && byc <= 50) {
        list.DrawPattern(piOpening, 0, 0, 0);
        DrawShutterUp(byc, list);
    }
}

void DrawNewGame(int byc, ImageList& list) {
    if (byc >= 0 && byc <= 20) {
        DrawTitle(list);
        DrawShutterDown(byc, list);
    } else if (byc >= 21 && byc <= 30) {
        list.DrawPattern(piShoutter, 0, 0, 0);
    } else if (byc >= 31 && byc <= 50) {
        DrawShutterUp(byc, list);
    }
}

}  // namespace

void BeginFrame(Surface& surface, ImageList& list) {
    surface.FillSurface(0);
    list.DrawPattern(piBgGame, 0, 0, 0);
}

void FinishFrame(const GameState& gs, Surface& surface, ImageList& list) {
    DrawPiece(gs, list);
    DrawBoard(gs, list);
    list.DrawPattern(piBgBlock, WellLeft, 0, 0);
    switch (gs.Phase) {
        case psSpawn:
        case psFall:
        case psLanded:
        case psSlide:
        case psLock:
        case psErase:
        case psTopCheck:
            DrawScore(gs, list);
            break;
        case psGameOver:
            DrawGameOver(gs.BYC, list);
            break;
        case psTitle:
            DrawTitle(list);
            break;
        case psStart:
            DrawNewGame(gs.BYC, list);
            break;
        default:
            break;
    }
    surface.FlipSurface();
}

}  // namespace quarnel
