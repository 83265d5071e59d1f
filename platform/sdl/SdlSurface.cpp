#include "platform/sdl/SdlSurface.h"

#include <cstring>
#include <stdexcept>
#include <string>

namespace quarnel {

SdlSurface::SdlSurface(int width, int height)
    : surface_(SDL_CreateRGBSurfaceWithFormat(0, width, height, 16, ScreenFormat)) {
    if (!surface_)
        throw std::runtime_error(std::string("cannot make the surface: ") + SDL_GetError());
}

void SdlSurface::FillSurface(uint16_t color) {
    SDL_FillRect(surface_.get(), nullptr, color);
}

void SdlSurface::FlipSurface() {
    if (presenter_) presenter_->Present(*surface_);
}

uint16_t SdlSurface::PixelAt(int x, int y) const {
    uint16_t pixel;
    std::memcpy(&pixel, static_cast<const uint8_t*>(surface_->pixels) + y * surface_->pitch + 2 * x,
                sizeof pixel);
    return pixel;
}

}  // namespace quarnel
