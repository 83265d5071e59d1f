#pragma once

#include <initializer_list>
#include <string>
#include <vector>

#include "game/GameState.h"
#include "game/PieceCatalogue.h"
#include "game/Random.h"
#include "game/Steps.h"
#include "platform/headless/HeadlessDevices.h"

namespace quarnel::test {

inline InputStates Held(std::initializer_list<InputState> states) {
    InputStates in;
    for (InputState s : states)
        in.Set(s);
    return in;
}

// The game core alone: one phase step per Step call, on an empty well.
struct GameHarness {
    GameState gs{};
    RandomGenerator random{12345};
    RecordingWaveList waves;
    RecordingCaption caption;

    GameHarness() {
        ClearBoard(gs);
        gs.Phase = psTitle;
    }

    void Step(InputStates in = {}) {
        StepServices services{in, random, waves, caption};
        RunPhaseStep(gs, services);
    }

    // An active piece in psFall, as just spawned unless told otherwise.
    void Place(uint8_t type, int bx, int by, int byc = 0) {
        gs.BF = type;
        gs.BX = static_cast<int8_t>(bx);
        gs.BY = static_cast<int8_t>(by);
        gs.BYC = static_cast<int8_t>(byc);
        gs.BlockColor = {0, 1, 2, 0};  // no three alike: the piece alone never erases
        gs.Phase = psFall;
    }

    void Put(int x, int y, uint8_t colour) { gs.Board[x][y] = colour; }

    // Cells of the active piece's blocks, slot order.
    std::vector<std::pair<int, int>> PieceCells() const {
        std::vector<std::pair<int, int>> cells;
        for (int slot = 0; slot < 4; ++slot) {
            int x = 0, y = 0;
            BlockCell(gs, slot, x, y);
            cells.emplace_back(x, y);
        }
        return cells;
    }

    int CountWaves(int item) const {
        int n = 0;
        for (int w : waves.Played())
            n += w == item;
        return n;
    }
};

}  // namespace quarnel::test
