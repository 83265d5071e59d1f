#include <string>

#include "game/PieceCatalogue.h"
#include "game/Steps.h"

namespace quarnel {
namespace {

// A block that a turn near the top left above row 0 has no cell in the well: it is left out.
void WriteBlock(GameState& gs, int x, int y, uint8_t colour) {
    if (x >= 0 && x < WellColumns && y >= 0 && y < BoardRows) gs.Board[x][y] = colour;
}

}  // namespace

void LockStep(GameState& gs, Caption& caption) {
    if (!IsPieceType(gs.BF)) return;
    int x = 0, y = 0;
    BlockCell(gs, 0, x, y);
    WriteBlock(gs, x, y, gs.BlockColor[0]);
    caption.SetCaption(std::to_string(int{gs.BX}) + "/" + std::to_string(int{gs.BY}));
    for (int slot = 1; slot < 4; ++slot) {
        BlockCell(gs, slot, x, y);
        WriteBlock(gs, x, y, gs.BlockColor[slot]);
    }
    gs.Phase = psErase;
    gs.PendingPoints = 0;
}

}  // namespace quarnel
