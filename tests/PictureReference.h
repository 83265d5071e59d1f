#pragma once

#include <SDL.h>

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "render/EmbeddedAssets.h"
#include "render/PictureCatalogue.h"

namespace quarnel::test {

// A picture decoded to 0xRRGGBB pixels, for checking against what the program draws.
struct RgbPicture {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;  // row by row from the top

    uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

inline RgbPicture DecodePicture(std::string_view file) {
    const auto bytes = EmbeddedAsset(file);
    SDL_Surface* decoded =
        SDL_LoadBMP_RW(SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size())), 1);
    if (!decoded) throw std::runtime_error(std::string(file) + ": " + SDL_GetError());
    SDL_Surface* rgb = SDL_ConvertSurfaceFormat(decoded, SDL_PIXELFORMAT_RGB888, 0);
    SDL_FreeSurface(decoded);
    if (!rgb) throw std::runtime_error(std::string(file) + ": " + SDL_GetError());
    RgbPicture picture{rgb->w, rgb->h, {}};
    picture.pixels.reserve(static_cast<size_t>(rgb->w) * rgb->h);
    for (int y = 0; y < rgb->h; ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(
            static_cast<const uint8_t*>(rgb->pixels) + y * rgb->pitch);
        for (int x = 0; x < rgb->w; ++x)
            picture.pixels.push_back(row[x] & 0xFFFFFF);
    }
    SDL_FreeSurface(rgb);
    return picture;
}

inline RgbPicture DecodePicture(int item) {
    return DecodePicture(PictureCatalogue[item].file);
}

// The colour as a pixel of the 16-bit surface: 5 bits red, 6 green, 5 blue.
constexpr uint16_t To565(uint32_t rgb) {
    return static_cast<uint16_t>(((rgb >> 19) & 0x1F) << 11 | ((rgb >> 10) & 0x3F) << 5 |
                                 ((rgb >> 3) & 0x1F));
}

}  // namespace quarnel::test
