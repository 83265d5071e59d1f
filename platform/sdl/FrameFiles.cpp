#include "platform/sdl/FrameFiles.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "platform/sdl/Rgb565.h"

namespace quarnel {

void FrameFiles::Present(SDL_Surface& frame) {
    if (Failed()) return;
    char name[32];
    std::snprintf(name, sizeof name, "%06llu.bmp", static_cast<unsigned long long>(written_ + 1));
    const std::filesystem::path path = directory_ / name;

    // Widened to 32 bits exactly as the window widens it, so a frame file holds the very
    // colours shown on screen; SDL then stores it as a 24-bit BMP without further rounding.
    if (!wide_ || wide_->w != frame.w || wide_->h != frame.h)
        wide_.reset(
            SDL_CreateRGBSurfaceWithFormat(0, frame.w, frame.h, 32, SDL_PIXELFORMAT_RGB888));
    if (!wide_) {
        error_ = path.string() + ": cannot widen the frame: " + SDL_GetError();
        return;
    }
    WidenRgb565(frame.w, frame.h, frame.pixels, frame.pitch, wide_->pixels, wide_->pitch);

    // Encoded in memory first, so that a failed write is reported with the system's reason.
    const size_t rowBytes = (static_cast<size_t>(frame.w) * 3 + 3) & ~size_t{3};
    encoded_.resize(138 + rowBytes * frame.h);  // room for the largest BMP header SDL writes
    SDL_RWops* memory = SDL_RWFromMem(encoded_.data(), static_cast<int>(encoded_.size()));
    Sint64 size = -1;
    if (memory) {
        if (SDL_SaveBMP_RW(wide_.get(), memory, /*freedst=*/0) == 0) size = SDL_RWtell(memory);
        SDL_RWclose(memory);
    }
    if (size <= 0) {
        error_ = path.string() + ": cannot encode the frame: " + SDL_GetError();
        return;
    }

    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) {
        error_ = path.string() + ": " + std::strerror(errno);
        return;
    }
    const auto bytes = static_cast<size_t>(size);
    bool ok = std::fwrite(encoded_.data(), 1, bytes, file) == bytes;
    int reason = errno;
    if (std::fclose(file) != 0 && ok) {
        ok = false;
        reason = errno;
    }
    if (!ok) {
        error_ = path.string() + ": " + std::strerror(reason);
        return;
    }
    ++written_;
}

}  // namespace quarnel
