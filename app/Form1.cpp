#include "app/Form1.h"

#include <chrono>

#include "app/Application.h"
#include "app/HighScoreFile.h"
#include "game/PieceCatalogue.h"
#include "game/Steps.h"
#include "render/Frame.h"

namespace quarnel {

TForm1::TForm1(GameState& game, Components components, Window window,
               std::filesystem::path highScoreFile)
    : DXDraw(components.DXDraw),
      List(components.List),
      Timer(components.Timer),
      DXInput(components.DXInput),
      Wave(components.Wave),
      Sound(components.Sound),
      game_(game),
      window_(window),
      highScoreFile_(std::move(highScoreFile)) {}

void TForm1::FormCreate(uint32_t seed) {
    random_.Seed(seed);
    const HighScoreLoad loaded = LoadHighScore(highScoreFile_);
    game_.HighScore = loaded.value;  // 0 when the load failed
    if (loaded.error) window_.errors.ShowError(ApplicationTitle, HighScoreErrorText(loaded.error));
    game_.Score = 0;
    game_.Phase = psTitle;
    ClearBoard(game_);
}

void TForm1::TimerTimer() {
    DXInput.Update();
    window_.caption.SetCaption(StatusCaption(game_));
    BeginFrame(DXDraw, List);
    StepServices services{DXInput.States(), random_, Wave, window_.caption};
    RunPhaseStep(game_, services);
    FinishFrame(game_, DXDraw, List);
}

bool TForm1::FormClose() {
    const int error = SaveHighScore(highScoreFile_, game_.HighScore);
    if (error) window_.errors.ShowError(ApplicationTitle, HighScoreErrorText(error));
    return error == 0;
}

bool TForm1::TouchCheck(uint8_t type) const {
    return quarnel::TouchCheck(game_, type);
}

uint32_t SeedFromTimeOfDay() {
    using namespace std::chrono;
    const auto now = system_clock::now();
    const auto sinceMidnight = now - floor<days>(now);
    return static_cast<uint32_t>(duration_cast<milliseconds>(sinceMidnight).count());
}

}  // namespace quarnel
