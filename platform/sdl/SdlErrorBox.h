#pragma once

#include <SDL.h>

#include "platform/ErrorBox.h"
#include "platform/headless/HeadlessDevices.h"

namespace quarnel {

// A message box over the game's window; where none can be shown, the line goes to stderr as
// it does headless.
class SdlErrorBox final : public ErrorBox {
  public:
    explicit SdlErrorBox(SDL_Window* parent) : parent_(parent) {}

    void ShowError(std::string_view title, std::string_view text) override;

  private:
    SDL_Window* parent_;
    StderrErrorBox fallback_;
};

}  // namespace quarnel
