#pragma once

#include <string>

#include "game/GameState.h"
#include "game/Random.h"
#include "platform/Caption.h"
#include "platform/InputStates.h"
#include "platform/WaveList.h"

namespace quarnel {

// What a phase step may reach beyond GameState during one tick.
struct StepServices {
    InputStates input;  // the sample taken at the start of the tick
    RandomGenerator& random;
    WaveList& wave;
    Caption& caption;
};

// Runs the step of gs.Phase once; a phase outside 0..9 runs nothing.
void RunPhaseStep(GameState& gs, StepServices& services);

// "POINT:<Score>HIGH:<HighScore>BF:<BF>/BX:<BX>/BY:<BY>/BYC:<BYC>"
std::string StatusCaption(const GameState& gs);

void SpawnStep(GameState& gs, RandomGenerator& random);
void LandStep(GameState& gs);
void TopCheckStep(GameState& gs);

// Piece control.
void FallStep(GameState& gs, InputStates input, WaveList& wave);
void SlideStep(GameState& gs, InputStates input);
void FallIfDue(GameState& gs);
void MoveSideways(GameState& gs, int direction);  // +1 right, -1 left
void TurnPiece(GameState& gs, bool clockwise, WaveList& wave);
void SoftDrop(GameState& gs);

// Locking, erasing and scoring.
void LockStep(GameState& gs, Caption& caption);
void EraseStep(GameState& gs, WaveList& wave);

// The sequences around a game.
void ShutterStep(GameState& gs, GamePhase next, WaveList& wave);
void TitleStep(GameState& gs, InputStates input);
void ResetGame(GameState& gs);

}  // namespace quarnel
