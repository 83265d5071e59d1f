#include "platform/sdl/SdlImageList.h"

#include <stdexcept>

namespace quarnel {
namespace {

SurfacePtr LoadPicture(const PictureSource& source, const SDL_PixelFormat& format) {
    const auto fail = [&](const char* what) {
        return std::runtime_error("picture '" + std::string(source.name) + "': " + what + ": " +
                                  SDL_GetError());
    };
    SurfacePtr decoded(
        SDL_LoadBMP_RW(SDL_RWFromConstMem(source.bmp.data(), static_cast<int>(source.bmp.size())),
                       /*freesrc=*/1));
    if (!decoded) throw fail("cannot decode");
    SurfacePtr converted(SDL_ConvertSurface(decoded.get(), &format, 0));
    if (!converted) throw fail("cannot convert");
    // The key is compared in the surface's format, so it is mapped through that format too.
    const Uint32 key =
        SDL_MapRGB(converted->format, (source.transparentRgb >> 16) & 0xff,
                   (source.transparentRgb >> 8) & 0xff, source.transparentRgb & 0xff);
    if (SDL_SetColorKey(converted.get(), SDL_TRUE, key) != 0) throw fail("cannot set its key");
    // Run-length encoding turns each keyed draw into plain copies of the opaque runs.
    if (SDL_SetSurfaceRLE(converted.get(), 1) != 0) throw fail("cannot encode");
    return converted;
}

}  // namespace

SdlImageList::SdlImageList(SdlSurface& target, std::span<const PictureSource> pictures)
    : target_(target) {
    items_.reserve(pictures.size());
    for (const PictureSource& source : pictures) {
        SurfacePtr pixels = LoadPicture(source, *target.Pixels().format);
        const PatternGrid patterns =
            CutIntoPatterns(pixels->w, pixels->h, source.patternWidth, source.patternHeight);
        items_.push_back({std::move(pixels), patterns});
    }
    // SDL maps a picture to its target and encodes its runs at the first draw; one draw of
    // each now keeps that work out of the frames.
    for (const Item& item : items_)
        SDL_BlitSurface(item.pixels.get(), nullptr, &target.Pixels(), nullptr);
    SDL_FillRect(&target.Pixels(), nullptr, 0);
}

void SdlImageList::DrawPattern(int item, int x, int y, int pattern) {
    if (item < 0 || item >= Count()) return;
    const Item& it = items_[item];
    const PatternGrid& grid = it.patterns;
    if (!grid.Has(pattern)) return;
    SDL_Rect from{grid.Left(pattern), grid.Top(pattern), grid.width, grid.height};
    SDL_Rect to{x, y, grid.width, grid.height};
    SDL_BlitSurface(it.pixels.get(), &from, &target_.Pixels(), &to);
}

SurfacePtr SdlImageList::CopyPattern(int item, int pattern) const {
    if (item < 0 || item >= Count() || !items_[item].patterns.Has(pattern)) return nullptr;
    const Item& it = items_[item];
    const PatternGrid& grid = it.patterns;
    SurfacePtr copy(
        SDL_CreateRGBSurfaceWithFormat(0, grid.width, grid.height, 16, it.pixels->format->format));
    if (!copy) return nullptr;
    SDL_Rect from{grid.Left(pattern), grid.Top(pattern), grid.width, grid.height};
    // Drawn with its key, as on screen: keyed pixels stay black.
    SDL_BlitSurface(it.pixels.get(), &from, copy.get(), nullptr);
    return copy;
}

}  // namespace quarnel
