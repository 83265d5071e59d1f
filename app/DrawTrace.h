#pragma once

#include <string>

#include "platform/Surface.h"

namespace quarnel {

// Passes every draw on to the real pictures and, while on, lists the ones that draw something
// (a valid pattern of a known item) as "name:x:y:pattern", joined by ','.
class DrawTrace final : public ImageList {
  public:
    explicit DrawTrace(ImageList& pictures) : pictures_(pictures) {}

    void DrawPattern(int item, int x, int y, int pattern) override;

    void SetOn(bool on) { on_ = on; }
    const std::string& Draws() const { return draws_; }
    void Clear() { draws_.clear(); }

  private:
    ImageList& pictures_;
    bool on_ = false;
    std::string draws_;
};

}  // namespace quarnel
