#include "platform/sdl/SdlInput.h"

#include <algorithm>

#include "platform/JoystickBinding.h"
#include "platform/sdl/SdlVirtualKeys.h"

namespace quarnel {
namespace {

bool IsEnterKey(SDL_Scancode code) {
    return code == SDL_SCANCODE_RETURN || code == SDL_SCANCODE_KP_ENTER ||
           code == SDL_SCANCODE_RETURN2;
}

}  // namespace

bool IsFullScreenSwitch(const SDL_KeyboardEvent& key) {
    return key.type == SDL_KEYDOWN && !key.repeat && (key.keysym.mod & KMOD_ALT) &&
           IsEnterKey(key.keysym.scancode);
}

SdlInput::SdlInput(const KeyAssigns& assigns, SDL_Window* window)
    : assigns_(assigns), window_(window) {
    if (SDL_WasInit(SDL_INIT_JOYSTICK)) {
        // The stick is read at each Update; left to SDL, polling it would keep the event
        // wait from ever sleeping.
        SDL_SetHint(SDL_HINT_AUTO_UPDATE_JOYSTICKS, "0");
        for (Uint32 type : {SDL_JOYAXISMOTION, SDL_JOYBALLMOTION, SDL_JOYHATMOTION,
                            SDL_JOYBUTTONDOWN, SDL_JOYBUTTONUP})
            SDL_EventState(type, SDL_IGNORE);
    }
    ResolveKeys();
    OpenFirstJoystick();
}

void SdlInput::ResolveKeys() {
    keys_.clear();
    for (const auto& entry : assigns_)
        for (uint32_t code : entry)
            if (code != 0 && std::none_of(keys_.begin(), keys_.end(),
                                          [&](const BoundKey& k) { return k.code == code; }))
                keys_.push_back({code, ScancodesOfKey(code)});
}

void SdlInput::OpenFirstJoystick() {
    if (joystick_ || !SDL_WasInit(SDL_INIT_JOYSTICK)) return;
    for (int i = 0; i < SDL_NumJoysticks() && !joystick_; ++i)
        joystick_.reset(SDL_JoystickOpen(i));
}

void SdlInput::HandleEvent(const SDL_Event& event) {
    switch (event.type) {
        case SDL_JOYDEVICEADDED:
            OpenFirstJoystick();
            break;
        case SDL_JOYDEVICEREMOVED:
            if (joystick_ && SDL_JoystickInstanceID(joystick_.get()) == event.jdevice.which) {
                joystick_.reset();
                OpenFirstJoystick();
            }
            break;
        case SDL_KEYMAPCHANGED:
            ResolveKeys();
            break;
        // The Enter of the full-screen switch must not press button 2 as well, not even when
        // Alt is let go first.
        case SDL_KEYDOWN:
            if (IsFullScreenSwitch(event.key)) switchKeys_.set(event.key.keysym.scancode);
            break;
        case SDL_KEYUP:
            switchKeys_.reset(event.key.keysym.scancode);
            break;
        default:
            break;
    }
}

void SdlInput::Update() {
    // Also finds joysticks plugged in or out since the last update.
    if (SDL_WasInit(SDL_INIT_JOYSTICK)) SDL_JoystickUpdate();
    if (window_ && SDL_GetKeyboardFocus() != window_) {
        states_ = InputStates{};
        return;
    }
    states_ = InputStates(KeyboardStates().Bits() | JoystickStates().Bits());
}

InputStates SdlInput::KeyboardStates() const {
    int count = 0;
    const Uint8* pressed = SDL_GetKeyboardState(&count);
    return StatesFromKeys(assigns_, [&](uint32_t code) {
        const auto key = std::find_if(keys_.begin(), keys_.end(),
                                      [&](const BoundKey& k) { return k.code == code; });
        return key != keys_.end() &&
               std::any_of(key->scancodes.begin(), key->scancodes.end(), [&](SDL_Scancode s) {
                   return s < count && pressed[s] && !switchKeys_[s];
               });
    });
}

InputStates SdlInput::JoystickStates() const {
    if (!joystick_) return {};
    SDL_Joystick* j = joystick_.get();
    JoystickReading reading;
    reading.x = AxisPosition(SDL_JoystickGetAxis(j, 0));
    reading.y = AxisPosition(SDL_JoystickGetAxis(j, 1));
    const int buttons = std::min(SDL_JoystickNumButtons(j), 32);
    for (int b = 0; b < buttons; ++b)
        if (SDL_JoystickGetButton(j, b)) reading.buttons |= uint32_t{1} << b;
    return StatesFromJoystick(reading);
}

}  // namespace quarnel
