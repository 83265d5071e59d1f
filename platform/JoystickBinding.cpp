#include "platform/JoystickBinding.h"

#include <algorithm>
#include <cstdlib>

namespace quarnel {

int AxisPosition(int16_t raw) {
    const int position = std::clamp(raw * AxisRange / 32767, -AxisRange, AxisRange);
    return std::abs(position) * 100 <= AxisRange * AxisDeadZonePercent ? 0 : position;
}

InputStates StatesFromJoystick(const JoystickReading& stick) {
    InputStates states;
    states.Set(stLeft, stick.x < 0);
    states.Set(stRight, stick.x > 0);
    states.Set(stUp, stick.y < 0);
    states.Set(stDown, stick.y > 0);
    for (int button = 1; button <= 32; ++button)
        states.Set(ButtonState(button), (stick.buttons >> (button - 1)) & 1u);
    return states;
}

}  // namespace quarnel
