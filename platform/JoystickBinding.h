#pragma once

#include <cstdint>

#include "platform/InputStates.h"

namespace quarnel {

// An axis as the game sees it: -1000..+1000 with 0 at the centre, and 0 anywhere within
// half the travel, so a stick counts as pushed only beyond that.
inline constexpr int AxisRange = 1000;
inline constexpr int AxisDeadZonePercent = 50;
int AxisPosition(int16_t raw);

// One reading of the first joystick: its X and Y positions and buttons 1..32 as bits 0..31.
struct JoystickReading {
    int x = 0;
    int y = 0;  // below 0 is pushed up
    uint32_t buttons = 0;
};

InputStates StatesFromJoystick(const JoystickReading& stick);

}  // namespace quarnel
