#pragma once

#include <SDL.h>

#include <bitset>
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/InputDevice.h"
#include "platform/KeyAssigns.h"

namespace quarnel {

struct JoystickDeleter {
    void operator()(SDL_Joystick* j) const { SDL_JoystickClose(j); }
};
using JoystickPtr = std::unique_ptr<SDL_Joystick, JoystickDeleter>;

// The keyboard and the first joystick, merged into the held states. Keys are polled at each
// Update from SDL's key state, which the event loop keeps current. While `window` does not
// have the keyboard focus every state reads as not held; with no window the devices are read
// whatever has the focus.
// Alt+Enter, with either Enter key: the switch between full screen and a window. A key held
// down and repeating does not switch again.
bool IsFullScreenSwitch(const SDL_KeyboardEvent& key);

class SdlInput final : public InputDevice {
  public:
    SdlInput(const KeyAssigns& assigns, SDL_Window* window);

    // Follows joysticks coming and going, keyboard layout changes, and Alt+Enter; give it
    // every event.
    void HandleEvent(const SDL_Event& event);

    void Update() override;
    InputStates States() const override { return states_; }

    bool HasJoystick() const { return joystick_ != nullptr; }

  private:
    void ResolveKeys();
    void OpenFirstJoystick();
    InputStates KeyboardStates() const;
    InputStates JoystickStates() const;

    KeyAssigns assigns_;
    SDL_Window* window_;
    struct BoundKey {
        uint32_t code;  // as in the assignment table
        std::vector<SDL_Scancode> scancodes;
    };
    std::vector<BoundKey> keys_;  // each code of the table once, resolved for the layout
    std::bitset<SDL_NUM_SCANCODES> switchKeys_;  // Enter keys held since pressed with Alt
    JoystickPtr joystick_;
    InputStates states_;
};

}  // namespace quarnel
