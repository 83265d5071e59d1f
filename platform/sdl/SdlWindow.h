#pragma once

#include <SDL.h>

#include <memory>
#include <string>
#include <string_view>

#include "platform/Caption.h"
#include "platform/sdl/FramePresenter.h"

namespace quarnel {

struct WindowDeleter {
    void operator()(SDL_Window* w) const { SDL_DestroyWindow(w); }
};
struct RendererDeleter {
    void operator()(SDL_Renderer* r) const { SDL_DestroyRenderer(r); }
};
struct TextureDeleter {
    void operator()(SDL_Texture* t) const { SDL_DestroyTexture(t); }
};

// The game's window: shows each flipped frame scaled to fit with its aspect kept (black bars
// around it), full screen on the desktop's own mode or in a resizable window. The caption is
// the window title. The window starts hidden, so nothing shows until Show.
class SdlWindow final : public FramePresenter, public Caption {
  public:
    // Throws std::runtime_error when the window or its renderer cannot be made.
    SdlWindow(int width, int height, std::string_view title, bool fullScreen);

    void Show();
    void Present(SDL_Surface& frame) override;
    // Draws the last frame again, as after the window was uncovered or resized.
    void Redraw();
    void SetCaption(std::string_view text) override;
    void ToggleFullScreen();
    void SetIcon(SDL_Surface& icon) { SDL_SetWindowIcon(window_.get(), &icon); }

    SDL_Window* Handle() const { return window_.get(); }
    bool FullScreen() const;
    // The SDL renderer in use, with "vsync" or "no vsync", and for OpenGL the GL renderer.
    std::string RendererDescription() const;

  private:
    std::unique_ptr<SDL_Window, WindowDeleter> window_;
    std::unique_ptr<SDL_Renderer, RendererDeleter> renderer_;
    std::unique_ptr<SDL_Texture, TextureDeleter> texture_;
    std::string caption_;
    bool presented_ = false;  // a frame is in the texture
};

}  // namespace quarnel
