#pragma once

#include "platform/InputStates.h"

namespace quarnel {

// Keyboard and joystick merged into the 36 held states.
class InputDevice {
  public:
    virtual ~InputDevice() = default;
    // Samples the devices; until the next Update, States() answers from this sample.
    virtual void Update() = 0;
    virtual InputStates States() const = 0;
};

}  // namespace quarnel
