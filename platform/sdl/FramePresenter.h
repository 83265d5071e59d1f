#pragma once

#include <SDL.h>

namespace quarnel {

// Where a finished frame goes when the surface is flipped: a window, files, or nowhere.
class FramePresenter {
  public:
    virtual ~FramePresenter() = default;
    virtual void Present(SDL_Surface& frame) = 0;
};

}  // namespace quarnel
