#pragma once

#include <cstdint>

namespace quarnel {

// Key codes of the key assignment table. They are Windows virtual-key codes, kept because
// the table is stored and documented in them; the platform maps each to a physical key.
enum VirtualKey : uint32_t {
    vkNone = 0x00,
    vkReturn = 0x0D,
    vkSpace = 0x20,
    vkLeft = 0x25,
    vkUp = 0x26,
    vkRight = 0x27,
    vkDown = 0x28,
    vk0 = 0x30,        // '0'..'9' follow
    vkA = 0x41,        // 'A'..'Z' follow
    vkNumpad0 = 0x60,  // numeric keypad 0..9 follow
    vkF1 = 0x70,       // F1..F24 follow
};

inline constexpr VirtualKey LetterKey(char upper) {
    return static_cast<VirtualKey>(vkA + (upper - 'A'));
}
inline constexpr VirtualKey NumpadKey(int digit) {
    return static_cast<VirtualKey>(vkNumpad0 + digit);
}
inline constexpr VirtualKey FunctionKey(int n) {
    return static_cast<VirtualKey>(vkF1 + n - 1);
}

}  // namespace quarnel
