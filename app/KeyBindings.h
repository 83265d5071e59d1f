#pragma once

#include "platform/KeyAssigns.h"
#include "platform/VirtualKeys.h"

namespace quarnel {

// The keys of each input state, as the game ships them. X holds both button 2 and button 3;
// Up, button 3 and button 9 are bound but no phase reads them.
inline constexpr KeyAssigns KeyboardAssigns = [] {
    KeyAssigns a{};
    a[stUp] = {LetterKey('K'), vkUp, NumpadKey(8)};
    a[stDown] = {LetterKey('J'), vkDown, NumpadKey(2)};
    a[stLeft] = {LetterKey('H'), vkLeft, NumpadKey(4)};
    a[stRight] = {LetterKey('L'), vkRight, NumpadKey(6)};
    a[stButton1] = {LetterKey('Z'), vkSpace, vkNone};
    a[stButton2] = {LetterKey('X'), vkReturn, vkNone};
    a[stButton3] = {LetterKey('X'), vkNone, vkNone};
    a[stButton9] = {FunctionKey(2), vkNone, vkNone};
    return a;
}();

}  // namespace quarnel
