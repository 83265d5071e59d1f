#include "game/PieceCatalogue.h"
#include "game/Steps.h"
#include "game/WaveItems.h"

namespace quarnel {
namespace {

constexpr int FallDelay = 7;  // ticks per row, and ticks of lock delay

// Above the well is open air; beyond the walls or the floor counts as a block.
bool SideBlocked(const GameState& gs, int x, int y) {
    if (y < 0) return false;
    if (!InsideBoard(x, y)) return true;
    return gs.Board[x][y] != EmptyCell;
}

void Land(GameState& gs) {
    gs.CanAct = 0;
    gs.Phase = psLanded;
}

}  // namespace

void FallIfDue(GameState& gs) {
    if (gs.BYC >= FallDelay) {
        gs.BY = static_cast<int8_t>(gs.BY + 1);
        gs.BYC = 0;
    }
}

void MoveSideways(GameState& gs, int direction) {
    const PieceEntry& piece = CatalogueEntry(gs.BF);
    const ProbeList& probes = direction > 0 ? piece.RightProbes : piece.LeftProbes;
    // Each occupied probe steps the piece back at once, and later probes see the new column:
    // with overlapping blocks the list order decides where the piece ends.
    for (const Offset& p : probes)
        if (SideBlocked(gs, gs.BX + p.dx, gs.BY - 1 + p.dy))
            gs.BX = static_cast<int8_t>(gs.BX - direction);
    FallIfDue(gs);
    gs.BX = static_cast<int8_t>(gs.BX + direction);
    gs.CanAct = 0;
}

void TurnPiece(GameState& gs, bool clockwise, WaveList& wave) {
    const uint8_t candidate = clockwise ? TurnedClockwise(gs.BF) : TurnedAnticlockwise(gs.BF);
    if (!TouchCheck(gs, candidate)) gs.BF = candidate;
    gs.CanAct = 0;
    wave.PlayWave(wiSha);
    FallIfDue(gs);
}

void SoftDrop(GameState& gs) {
    gs.BY = static_cast<int8_t>(gs.BY + 1);
    gs.Score = AddPoints(gs.Score, 1);
    gs.CanAct = 0;
    gs.BYC = -1;
}

void FallStep(GameState& gs, InputStates in, WaveList& wave) {
    if (!IsPieceType(gs.BF)) return;  // only a spawned piece can fall
    const bool right = in.Held(stRight);
    const bool left = in.Held(stLeft);
    gs.CanAct = 1;
    if (gs.CanAct && right && !left) MoveSideways(gs, +1);
    if (gs.CanAct && left && !right) MoveSideways(gs, -1);
    if (gs.CanAct && in.Held(stButton1)) TurnPiece(gs, false, wave);
    if (gs.CanAct && in.Held(stButton2)) TurnPiece(gs, true, wave);
    ClampBX(gs);
    if (TouchCheck(gs, gs.BF)) Land(gs);
    if (in.Held(stDown) && gs.Phase == psFall && (gs.CanAct || right || left)) SoftDrop(gs);
    gs.BYC = static_cast<int8_t>(gs.BYC + 1);
    if (gs.CanAct && gs.Phase == psFall) FallIfDue(gs);  // gravity, unless an action took it
    if (TouchCheck(gs, gs.BF)) Land(gs);
}

void SlideStep(GameState& gs, InputStates in) {
    if (!IsPieceType(gs.BF)) return;
    const bool right = in.Held(stRight);
    const bool left = in.Held(stLeft);
    gs.CanAct = 1;
    if (gs.CanAct && right && !left) {
        MoveSideways(gs, +1);
        gs.Phase = psFall;
    }
    if (gs.CanAct && left && !right) {
        MoveSideways(gs, -1);
        gs.Phase = psFall;
    }
    ClampBX(gs);
    gs.BYC = static_cast<int8_t>(gs.BYC + 1);
    if (gs.BYC >= FallDelay) gs.Phase = psLock;
}

}  // namespace quarnel
