#pragma once

#include <SDL.h>

namespace quarnel {

// Where a finished frame goes when the surface is flipped: a window, files, or nowhere. The
// frame is always the drawing surface, in its RGB565 format.
class FramePresenter {
  public:
    virtual ~FramePresenter() = default;
    virtual void Present(SDL_Surface& frame) = 0;
};

}  // namespace quarnel
