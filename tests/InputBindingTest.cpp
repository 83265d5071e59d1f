#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <vector>

#include "app/KeyBindings.h"
#include "platform/JoystickBinding.h"
#include "tests/GameHarness.h"

namespace quarnel {
namespace {

using test::Held;

InputStates KeysHeld(std::initializer_list<uint32_t> keys) {
    return StatesFromKeys(KeyboardAssigns, [&](uint32_t key) {
        return std::find(keys.begin(), keys.end(), key) != keys.end();
    });
}

TEST(KeyBindingsTest, TheShippedTableAsStored) {
    // 36 entries of three 32-bit codes, little-endian: 432 bytes in state order.
    std::vector<uint32_t> codes;
    for (const auto& entry : KeyboardAssigns)
        codes.insert(codes.end(), entry.begin(), entry.end());
    ASSERT_EQ(codes.size() * sizeof(uint32_t), 432u);
    std::vector<uint32_t> expected(108, 0);
    const uint32_t bound[][4] = {
        // state, key 1, key 2, key 3
        {0, 0x4B, 0x26, 0x68}, {1, 0x4A, 0x28, 0x62}, {2, 0x48, 0x25, 0x64}, {3, 0x4C, 0x27, 0x66},
        {4, 0x5A, 0x20, 0},    {5, 0x58, 0x0D, 0},    {6, 0x58, 0, 0},       {12, 0x71, 0, 0},
    };
    for (const auto& b : bound)
        std::memcpy(&expected[b[0] * 3], &b[1], 3 * sizeof(uint32_t));
    EXPECT_EQ(codes, expected);
}

TEST(KeyBindingsTest, HeldKeysGiveTheirStates) {
    const struct {
        std::initializer_list<uint32_t> keys;
        InputStates states;
    } cases[] = {
        {{}, {}},
        {{LetterKey('Z')}, Held({stButton1})},
        {{vkSpace}, Held({stButton1})},
        {{vkReturn}, Held({stButton2})},
        // X is bound to two states.
        {{LetterKey('X')}, Held({stButton2, stButton3})},
        // Two keys of one state hold it once; keys of opposite states hold both.
        {{LetterKey('H'), vkLeft}, Held({stLeft})},
        {{vkLeft, LetterKey('L')}, Held({stLeft, stRight})},
        {{NumpadKey(2), NumpadKey(6)}, Held({stDown, stRight})},
        {{LetterKey('K'), vkUp, NumpadKey(8), FunctionKey(2)}, Held({stUp, stButton9})},
        // Keys that no state names hold nothing.
        {{LetterKey('A'), NumpadKey(5), FunctionKey(1), vkNone}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::vector<uint32_t>(c.keys)));
        EXPECT_EQ(KeysHeld(c.keys), c.states);
    }
}

TEST(JoystickBindingTest, AxesCountOnlyBeyondHalfTheirTravel) {
    const struct {
        int16_t raw;
        int position;
    } cases[] = {
        {0, 0},
        {-16384, 0},
        {16400, 0},  // exactly half the travel is still inside the
                     // dead zone
        {16417, 501},
        {-16417, -501},
        {32767, 1000},
        {-32768, -1000},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.raw);
        EXPECT_EQ(AxisPosition(c.raw), c.position);
    }
}

TEST(JoystickBindingTest, StickAndButtonsGiveTheirStates) {
    const struct {
        JoystickReading stick;
        InputStates states;
    } cases[] = {
        {{0, 0, 0}, {}},
        {{-600, 0, 0}, Held({stLeft})},
        {{1000, 0, 0}, Held({stRight})},
        {{0, -700, 0}, Held({stUp})},
        {{0, 800, 0}, Held({stDown})},
        {{900, 900, 0b11}, Held({stRight, stDown, stButton1, stButton2})},
        {{0, 0, 1u << 8}, Held({stButton9})},
        {{0, 0, 1u << 31}, Held({stButton32})},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.stick.x << "," << c.stick.y << " " << c.stick.buttons);
        EXPECT_EQ(StatesFromJoystick(c.stick), c.states);
    }
}

}  // namespace
}  // namespace quarnel
