#include "game/Steps.h"
#include "game/WaveItems.h"

namespace quarnel {
namespace {

constexpr int ShutterSoundTick = 1;
constexpr int ShutterResetTick = 23;  // the shutter is closed: clear the game behind it
constexpr int ShutterLastTick = 51;

}  // namespace

void ShutterStep(GameState& gs, GamePhase next, WaveList& wave) {
    gs.BYC = static_cast<int8_t>(gs.BYC + 1);
    if (gs.BYC == ShutterSoundTick) wave.PlayWave(wiShutter);
    if (gs.BYC == ShutterResetTick) ResetGame(gs);
    if (gs.BYC == ShutterLastTick) {
        gs.Phase = next;
        gs.BYC = 0;
    }
}

void TitleStep(GameState& gs, InputStates in) {
    if (in.Held(stButton1) || in.Held(stButton2)) gs.Phase = psStart;
}

void ResetGame(GameState& gs) {
    gs.BF = 0;
    gs.EraseCount = 0;
    gs.Score = 0;
    ClearBoard(gs);
}

}  // namespace quarnel
