#include "platform/headless/HeadlessDevices.h"

#include <cstdio>

namespace quarnel {

void StderrErrorBox::ShowError(std::string_view title, std::string_view text) {
    std::fprintf(stderr, "%.*s: %.*s\n", static_cast<int>(title.size()), title.data(),
                 static_cast<int>(text.size()), text.data());
}

}  // namespace quarnel
