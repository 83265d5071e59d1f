#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/sdl/FramePresenter.h"
#include "platform/sdl/SdlHandles.h"

namespace quarnel {

// Presents each frame by writing it to DIR/000001.bmp, DIR/000002.bmp, ... in turn. After a
// failed write it writes nothing more and keeps the reason.
class FrameFiles final : public FramePresenter {
  public:
    explicit FrameFiles(std::filesystem::path directory) : directory_(std::move(directory)) {}

    void Present(SDL_Surface& frame) override;

    bool Failed() const { return !error_.empty(); }
    const std::string& Error() const { return error_; }  // "path: reason"
    uint64_t Written() const { return written_; }

  private:
    std::filesystem::path directory_;
    uint64_t written_ = 0;
    std::string error_;
    SurfacePtr wide_;               // reused from frame to frame
    std::vector<uint8_t> encoded_;  // likewise
};

}  // namespace quarnel
