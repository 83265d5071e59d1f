#pragma once

#include <array>
#include <cstdint>

#include "platform/InputStates.h"

namespace quarnel {

// For each input state, up to three key codes that hold it; 0 is no key.
using KeyAssigns = std::array<std::array<uint32_t, 3>, InputStateCount>;

// The states held from the keyboard: a state is held when any of its keys is.
template <typename KeyHeld>
InputStates StatesFromKeys(const KeyAssigns& assigns, KeyHeld&& held) {
    InputStates states;
    for (int s = 0; s < InputStateCount; ++s)
        for (uint32_t key : assigns[s])
            if (key != 0 && held(key)) {
                states.Set(static_cast<InputState>(s));
                break;
            }
    return states;
}

}  // namespace quarnel
