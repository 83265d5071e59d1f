#pragma once

#include "platform/Surface.h"
#include "platform/sdl/FramePresenter.h"
#include "platform/sdl/SdlHandles.h"

namespace quarnel {

inline constexpr int ScreenWidth = 640;
inline constexpr int ScreenHeight = 480;
inline constexpr Uint32 ScreenFormat = SDL_PIXELFORMAT_RGB565;

// The drawing surface: 16-bit RGB565 pixels in memory. The flip hands the frame to the
// presenter, if there is one; without one the frame is composed and shown nowhere.
class SdlSurface final : public Surface {
  public:
    // Throws std::runtime_error when SDL cannot make the surface.
    explicit SdlSurface(int width = ScreenWidth, int height = ScreenHeight);

    void FillSurface(uint16_t color) override;
    void FlipSurface() override;

    void SetPresenter(FramePresenter* presenter) { presenter_ = presenter; }
    SDL_Surface& Pixels() { return *surface_; }
    const SDL_Surface& Pixels() const { return *surface_; }
    // The pixel at (x, y), which must lie on the surface.
    uint16_t PixelAt(int x, int y) const;

  private:
    SurfacePtr surface_;
    FramePresenter* presenter_ = nullptr;
};

}  // namespace quarnel
