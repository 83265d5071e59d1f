#pragma once

#include <cstdint>
#include <filesystem>

#include "game/GameState.h"
#include "game/Random.h"
#include "platform/Caption.h"
#include "platform/ErrorBox.h"
#include "platform/InputDevice.h"
#include "platform/SoundDevice.h"
#include "platform/Surface.h"
#include "platform/TickTimer.h"
#include "platform/WaveList.h"

namespace quarnel {

// The main form: it owns no game data, only the way to the devices, and runs the game's
// life through its three handlers.
class TForm1 {
  public:
    // The six components, in creation order.
    struct Components {
        Surface& DXDraw;
        ImageList& List;
        TickTimer& Timer;
        InputDevice& DXInput;
        WaveList& Wave;
        SoundDevice& Sound;
    };
    struct Window {
        Caption& caption;
        ErrorBox& errors;
    };

    TForm1(GameState& game, Components components, Window window,
           std::filesystem::path highScoreFile);

    // One tick: input, status caption, frame begun, one phase step, frame finished.
    void TimerTimer();
    // Seeds the generator, loads the high score and sets the game at the title.
    void FormCreate(uint32_t seed);
    bool TouchCheck(uint8_t type) const;
    // Saves the high score; false when the save failed and the close is to be abandoned.
    bool FormClose();

    // The components, in creation order.
    Surface& DXDraw;
    ImageList& List;
    TickTimer& Timer;
    InputDevice& DXInput;
    WaveList& Wave;
    SoundDevice& Sound;

  private:
    GameState& game_;
    Window window_;
    std::filesystem::path highScoreFile_;
    RandomGenerator random_;
};

// Milliseconds since midnight UTC: the seed of a game started without one.
uint32_t SeedFromTimeOfDay();

}  // namespace quarnel
