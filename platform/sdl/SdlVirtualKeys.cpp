#include "platform/sdl/SdlVirtualKeys.h"

#include "platform/VirtualKeys.h"

namespace quarnel {
namespace {

std::vector<SDL_Scancode> ByLayout(SDL_Keycode key) {
    const SDL_Scancode code = SDL_GetScancodeFromKey(key);
    if (code == SDL_SCANCODE_UNKNOWN) return {};
    return {code};
}

}  // namespace

std::vector<SDL_Scancode> ScancodesOfKey(uint32_t vk) {
    if (vk >= vkA && vk <= vkA + 25) return ByLayout(SDLK_a + static_cast<SDL_Keycode>(vk - vkA));
    if (vk >= vk0 && vk <= vk0 + 9) return ByLayout(SDLK_0 + static_cast<SDL_Keycode>(vk - vk0));
    if (vk == vkNumpad0) return {SDL_SCANCODE_KP_0};
    if (vk > vkNumpad0 && vk <= vkNumpad0 + 9)
        return {static_cast<SDL_Scancode>(SDL_SCANCODE_KP_1 + (vk - vkNumpad0 - 1))};
    if (vk >= vkF1 && vk < vkF1 + 12)
        return {static_cast<SDL_Scancode>(SDL_SCANCODE_F1 + (vk - vkF1))};
    if (vk >= vkF1 + 12 && vk < vkF1 + 24)
        return {static_cast<SDL_Scancode>(SDL_SCANCODE_F13 + (vk - vkF1 - 12))};
    switch (vk) {
        case vkReturn:
            return {SDL_SCANCODE_RETURN, SDL_SCANCODE_KP_ENTER, SDL_SCANCODE_RETURN2};
        case vkSpace:
            return {SDL_SCANCODE_SPACE};
        case vkLeft:
            return {SDL_SCANCODE_LEFT};
        case vkUp:
            return {SDL_SCANCODE_UP};
        case vkRight:
            return {SDL_SCANCODE_RIGHT};
        case vkDown:
            return {SDL_SCANCODE_DOWN};
        default:
            return {};
    }
}

}  // namespace quarnel
