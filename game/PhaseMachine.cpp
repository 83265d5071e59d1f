#include <string>

#include "game/PieceCatalogue.h"
#include "game/Steps.h"

namespace quarnel {

void RunPhaseStep(GameState& gs, StepServices& s) {
    switch (gs.Phase) {
        case psSpawn:
            SpawnStep(gs, s.random);
            break;
        case psFall:
            FallStep(gs, s.input, s.wave);
            break;
        case psLanded:
            LandStep(gs);
            break;
        case psSlide:
            SlideStep(gs, s.input);
            break;
        case psLock:
            LockStep(gs, s.caption);
            break;
        case psErase:
            EraseStep(gs, s.wave);
            break;
        case psTopCheck:
            TopCheckStep(gs);
            break;
        case psGameOver:
            ShutterStep(gs, psTitle, s.wave);
            break;
        case psTitle:
            TitleStep(gs, s.input);
            break;
        case psStart:
            ShutterStep(gs, psSpawn, s.wave);
            break;
        default:
            break;
    }
}

std::string StatusCaption(const GameState& gs) {
    std::string text;
    text.reserve(64);
    text += "POINT:";
    text += std::to_string(gs.Score);
    text += "HIGH:";
    text += std::to_string(gs.HighScore);
    text += "BF:";
    text += std::to_string(unsigned{gs.BF});
    text += "/BX:";
    text += std::to_string(int{gs.BX});
    text += "/BY:";
    text += std::to_string(int{gs.BY});
    text += "/BYC:";
    text += std::to_string(int{gs.BYC});
    return text;
}

void SpawnStep(GameState& gs, RandomGenerator& random) {
    gs.BF = static_cast<uint8_t>(random.RandomBelow(PieceTypeCount) + 1);
    for (uint8_t& colour : gs.BlockColor)
        colour = static_cast<uint8_t>(random.RandomBelow(3));
    const PieceEntry& piece = CatalogueEntry(gs.BF);
    gs.BX = piece.SpawnBX;
    gs.BY = piece.SpawnBY;
    gs.BYC = 0;
    gs.Phase = psFall;
}

void LandStep(GameState& gs) {
    gs.BYC = -1;  // the first SlideStep counts up before it tests
    gs.Phase = psSlide;
}

void TopCheckStep(GameState& gs) {
    bool clear = true;
    for (int y = 0; y <= 1; ++y)
        for (int x = 0; x < WellColumns; ++x)
            clear = clear && gs.Board[x][y] == EmptyCell;
    gs.Phase = clear ? psSpawn : psGameOver;
    gs.BYC = 0;
}

}  // namespace quarnel
