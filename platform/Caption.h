#pragma once

#include <string_view>

namespace quarnel {

// The main window's caption text.
class Caption {
  public:
    virtual ~Caption() = default;
    virtual void SetCaption(std::string_view text) = 0;
};

}  // namespace quarnel
