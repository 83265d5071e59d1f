#pragma once

#include <SDL.h>

#include <cstdint>
#include <vector>

namespace quarnel {

// The physical keys that a key code of the assignment table stands for, in the current
// keyboard layout: letters and digits go by the key that bears them, the numeric keypad by
// position whatever the Num Lock state, Enter by both Enter keys. Unknown codes give none.
std::vector<SDL_Scancode> ScancodesOfKey(uint32_t virtualKey);

}  // namespace quarnel
