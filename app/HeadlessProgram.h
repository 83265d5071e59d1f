#pragma once

#include <filesystem>

#include "app/Form1.h"
#include "platform/headless/HeadlessDevices.h"

namespace quarnel {

// The program without window, sound or clock: the main form on headless devices, one tick
// per call, with what each tick played and captioned kept for reading back. The frame goes
// to whatever surface and pictures it is given.
struct HeadlessProgram {
    HeadlessProgram(Surface& surface, ImageList& pictures, ErrorBox& errors,
                    std::filesystem::path highScoreFile)
        : form(game, {surface, pictures, timer, input, waves, sound}, {caption, errors},
               std::move(highScoreFile)) {}

    // Runs one tick with these states held; Played() then lists that tick's waves.
    void Tick(InputStates held) {
        input.Hold(held);
        waves.Clear();
        form.TimerTimer();
    }

    GameState game{};  // the program-wide record, zero-filled as at program start
    TickTimer timer;   // never started: the caller decides when each tick runs
    ScriptedInput input;
    RecordingWaveList waves;
    SilentSoundDevice sound;
    RecordingCaption caption;
    TForm1 form;
};

}  // namespace quarnel
