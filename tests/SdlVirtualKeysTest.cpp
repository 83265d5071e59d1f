#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "platform/VirtualKeys.h"
#include "platform/sdl/SdlVirtualKeys.h"

namespace quarnel {
namespace {

// The keyboard layout is only known once SDL's video is up; the dummy driver gives US.
class SdlVirtualKeysTest : public ::testing::Test {
  protected:
    void SetUp() override {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0) << SDL_GetError();
    }
    void TearDown() override {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        unsetenv("SDL_VIDEODRIVER");
    }
};

TEST_F(SdlVirtualKeysTest, EveryBoundKeyFindsItsPhysicalKeys) {
    using Codes = std::vector<SDL_Scancode>;
    const struct {
        uint32_t key;
        Codes scancodes;
    } cases[] = {
        {LetterKey('K'), {SDL_SCANCODE_K}},
        {LetterKey('Z'), {SDL_SCANCODE_Z}},
        {LetterKey('A'), {SDL_SCANCODE_A}},
        {vk0 + 9, {SDL_SCANCODE_9}},
        {vkUp, {SDL_SCANCODE_UP}},
        {vkDown, {SDL_SCANCODE_DOWN}},
        {vkLeft, {SDL_SCANCODE_LEFT}},
        {vkRight, {SDL_SCANCODE_RIGHT}},
        // The keypad by position, so Num Lock makes no difference.
        {NumpadKey(0), {SDL_SCANCODE_KP_0}},
        {NumpadKey(2), {SDL_SCANCODE_KP_2}},
        {NumpadKey(4), {SDL_SCANCODE_KP_4}},
        {NumpadKey(6), {SDL_SCANCODE_KP_6}},
        {NumpadKey(8), {SDL_SCANCODE_KP_8}},
        {NumpadKey(9), {SDL_SCANCODE_KP_9}},
        {vkSpace, {SDL_SCANCODE_SPACE}},
        {vkReturn, {SDL_SCANCODE_RETURN, SDL_SCANCODE_KP_ENTER, SDL_SCANCODE_RETURN2}},
        {FunctionKey(2), {SDL_SCANCODE_F2}},
        {FunctionKey(12), {SDL_SCANCODE_F12}},
        {FunctionKey(13), {SDL_SCANCODE_F13}},
        {vkNone, {}},
        {0x1B, {}},  // a code with no physical key here
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "key 0x" << std::hex << c.key);
        EXPECT_EQ(ScancodesOfKey(c.key), c.scancodes);
    }
}

}  // namespace
}  // namespace quarnel
