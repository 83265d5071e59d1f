#pragma once

#include "game/GameState.h"
#include "platform/Surface.h"

namespace quarnel {

inline constexpr int CellSize = 32;
inline constexpr int WellLeft = 320;
inline constexpr int WellTop = 32;

// Lays the background before the tick's step.
void BeginFrame(Surface& surface, ImageList& list);

// Draws what the step left (piece, board, top strip, the phase's overlay) and presents it.
void FinishFrame(const GameState& gs, Surface& surface, ImageList& list);

}  // namespace quarnel
