#pragma once

namespace quarnel {

// Names the window and titles every error box; two blanks before "Ver.1.1".
inline constexpr const char* ApplicationTitle = "Quarnel  Ver.1.1";

}  // namespace quarnel
