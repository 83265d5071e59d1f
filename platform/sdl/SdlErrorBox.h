#pragma once

#include <SDL.h>

#include <cstdio>

#include "platform/ErrorBox.h"

namespace quarnel {

// A message box over the game's window; where none can be shown, "title: text" on `fallback`.
class SdlErrorBox final : public ErrorBox {
  public:
    explicit SdlErrorBox(SDL_Window* parent, std::FILE* fallback = stderr)
        : parent_(parent), fallback_(fallback) {}

    void ShowError(std::string_view title, std::string_view text) override;

  private:
    SDL_Window* parent_;
    std::FILE* fallback_;
};

}  // namespace quarnel
