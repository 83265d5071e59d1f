#include "platform/InputStates.h"

#include <array>
#include <string>

namespace quarnel {
namespace {

const std::array<std::string, InputStateCount>& Names() {
    static const auto names = [] {
        std::array<std::string, InputStateCount> n{"stUp", "stDown", "stLeft", "stRight"};
        for (int b = 1; b <= 32; ++b)
            n[ButtonState(b)] = "stButton" + std::to_string(b);
        return n;
    }();
    return names;
}

}  // namespace

std::string_view InputStateName(InputState s) {
    return s < InputStateCount ? std::string_view(Names()[s]) : std::string_view();
}

std::optional<InputState> InputStateFromName(std::string_view name) {
    const auto& names = Names();
    for (int i = 0; i < InputStateCount; ++i)
        if (names[i] == name) return static_cast<InputState>(i);
    return std::nullopt;
}

}  // namespace quarnel
