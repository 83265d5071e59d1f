#include "platform/sdl/SdlErrorBox.h"

#include <string>

namespace quarnel {

void SdlErrorBox::ShowError(std::string_view title, std::string_view text) {
    const std::string t(title), m(text);
    if (SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, t.c_str(), m.c_str(), parent_) != 0)
        fallback_.ShowError(title, text);
}

}  // namespace quarnel
