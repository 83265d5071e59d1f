#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace quarnel {

// The 36 held input states: four directions, then 32 buttons. The number is the state's bit.
enum InputState : uint8_t {
    stUp = 0,
    stDown = 1,
    stLeft = 2,
    stRight = 3,
    stButton1 = 4,
    stButton2 = 5,
    stButton3 = 6,
    stButton9 = 12,
    stButton32 = 35,
};

inline constexpr int InputStateCount = 36;

constexpr InputState ButtonState(int button) {
    return static_cast<InputState>(button + 3);
}

// One sample of the held states, as taken once at the start of a tick.
class InputStates {
  public:
    constexpr InputStates() = default;
    constexpr explicit InputStates(uint64_t bits) : bits_(bits & kAll) {}

    constexpr bool Held(InputState s) const { return (bits_ >> s) & 1u; }
    constexpr void Set(InputState s, bool held = true) {
        const uint64_t bit = uint64_t{1} << s;
        bits_ = held ? (bits_ | bit) : (bits_ & ~bit);
    }
    constexpr uint64_t Bits() const { return bits_; }
    constexpr bool operator==(const InputStates&) const = default;

  private:
    static constexpr uint64_t kAll = (uint64_t{1} << InputStateCount) - 1;
    uint64_t bits_ = 0;
};

// "stUp" ... "stButton32", as replay files name them.
std::string_view InputStateName(InputState s);
std::optional<InputState> InputStateFromName(std::string_view name);

}  // namespace quarnel
