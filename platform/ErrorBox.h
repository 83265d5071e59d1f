#pragma once

#include <string_view>

namespace quarnel {

// Tells the player about an error and waits until it has been seen.
class ErrorBox {
  public:
    virtual ~ErrorBox() = default;
    virtual void ShowError(std::string_view title, std::string_view text) = 0;
};

}  // namespace quarnel
