#include "game/GameState.h"

namespace quarnel {

void ClearBoard(GameState& gs) {
    for (auto& column : gs.Board)
        column.fill(EmptyCell);
}

}  // namespace quarnel
