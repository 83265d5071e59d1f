#include "platform/sdl/SdlWindow.h"

#include <filesystem>
#include <stdexcept>
#include <system_error>

#include "platform/sdl/Rgb565.h"

namespace quarnel {
namespace {

[[noreturn]] void Fail(const char* what) {
    throw std::runtime_error(std::string(what) + ": " + SDL_GetError());
}

// Whether the kernel offers a GPU to draw with. Without one, OpenGL is drawn by the CPU and
// costs more time, memory and start-up than copying the finished frame straight to the
// window, which the game's one picture a tick needs no more than.
bool HasGpu() {
    std::error_code failed;
    for (const auto& entry : std::filesystem::directory_iterator("/dev/dri", failed))
        if (entry.path().filename().string().starts_with("renderD")) return true;
    return false;
}

}  // namespace

SdlWindow::SdlWindow(int width, int height, std::string_view title, bool fullScreen)
    : caption_(title) {
    // Square pixels, unblurred, whatever the scale.
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "nearest");
    // Defaults only: SDL_RENDER_DRIVER and SDL_FRAMEBUFFER_ACCELERATION still choose.
    if (!HasGpu()) {
        SDL_SetHintWithPriority(SDL_HINT_RENDER_DRIVER, "software", SDL_HINT_DEFAULT);
        SDL_SetHintWithPriority(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0", SDL_HINT_DEFAULT);
    }
    const Uint32 flags =
        SDL_WINDOW_HIDDEN | SDL_WINDOW_RESIZABLE | (fullScreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
    window_.reset(SDL_CreateWindow(caption_.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                   width, height, flags));
    if (!window_) Fail("cannot open the window");
    SDL_SetWindowMinimumSize(window_.get(), width / 4, height / 4);
    renderer_.reset(SDL_CreateRenderer(window_.get(), -1, SDL_RENDERER_PRESENTVSYNC));
    if (!renderer_) renderer_.reset(SDL_CreateRenderer(window_.get(), -1, 0));
    if (!renderer_) Fail("cannot draw in the window");
    if (SDL_RenderSetLogicalSize(renderer_.get(), width, height) != 0) Fail("cannot scale");
    // Frames are widened to 32 bits here, as a saved frame is, so what the screen shows does
    // not depend on how a renderer treats 16-bit textures.
    texture_.reset(SDL_CreateTexture(renderer_.get(), SDL_PIXELFORMAT_ARGB8888,
                                     SDL_TEXTUREACCESS_STREAMING, width, height));
    if (!texture_) Fail("cannot make the frame texture");
    SDL_SetRenderDrawColor(renderer_.get(), 0, 0, 0, 255);
}

void SdlWindow::Show() {
    SDL_ShowWindow(window_.get());
    SDL_RaiseWindow(window_.get());
}

void SdlWindow::Present(SDL_Surface& frame) {
    void* pixels = nullptr;
    int pitch = 0;
    if (SDL_LockTexture(texture_.get(), nullptr, &pixels, &pitch) != 0) return;
    WidenRgb565(frame.w, frame.h, frame.pixels, frame.pitch, pixels, pitch);
    SDL_UnlockTexture(texture_.get());
    presented_ = true;
    Redraw();
}

void SdlWindow::Redraw() {
    SDL_RenderClear(renderer_.get());
    if (presented_) SDL_RenderCopy(renderer_.get(), texture_.get(), nullptr, nullptr);
    SDL_RenderPresent(renderer_.get());
}

void SdlWindow::SetCaption(std::string_view text) {
    if (text == caption_) return;
    caption_.assign(text);
    SDL_SetWindowTitle(window_.get(), caption_.c_str());
}

bool SdlWindow::FullScreen() const {
    return (SDL_GetWindowFlags(window_.get()) & SDL_WINDOW_FULLSCREEN_DESKTOP) != 0;
}

void SdlWindow::ToggleFullScreen() {
    SDL_SetWindowFullscreen(window_.get(), FullScreen() ? 0 : SDL_WINDOW_FULLSCREEN_DESKTOP);
    Redraw();
}

std::string SdlWindow::RendererDescription() const {
    SDL_RendererInfo info{};
    if (SDL_GetRendererInfo(renderer_.get(), &info) != 0) return "unknown";
    std::string text = info.name;
    text += (info.flags & SDL_RENDERER_PRESENTVSYNC) ? ", vsync" : ", no vsync";
    if (text.starts_with("opengl")) {
        // The renderer's context is current, so GL can say who draws: a GPU or the CPU.
        using GetString = const unsigned char* (*)(unsigned);
        constexpr unsigned GlRenderer = 0x1F01;
        if (auto get = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString")))
            if (const unsigned char* name = get(GlRenderer))
                text += ", on " + std::string(reinterpret_cast<const char*>(name));
    }
    return text;
}

}  // namespace quarnel
