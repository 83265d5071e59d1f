#include <gtest/gtest.h>

#include <SDL.h>

#include <cstdlib>

#include "app/KeyBindings.h"
#include "platform/sdl/SdlInput.h"
#include "tests/GameHarness.h"

namespace quarnel {
namespace {

using test::Held;

// A joystick that SDL makes up, plugged in and out while the input device runs.
class SdlInputTest : public ::testing::Test {
  protected:
    void SetUp() override {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_JOYSTICK), 0) << SDL_GetError();
    }
    void TearDown() override {
        if (stick_) SDL_JoystickClose(stick_);
        if (index_ >= 0) SDL_JoystickDetachVirtual(index_);
        SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_JOYSTICK);
        unsetenv("SDL_VIDEODRIVER");
    }

    void PlugIn() {
        index_ = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, 2, 32, 0);
        ASSERT_GE(index_, 0) << SDL_GetError();
        stick_ = SDL_JoystickOpen(index_);
        ASSERT_NE(stick_, nullptr) << SDL_GetError();
    }
    void Unplug() {
        SDL_JoystickClose(stick_);
        stick_ = nullptr;
        ASSERT_EQ(SDL_JoystickDetachVirtual(index_), 0) << SDL_GetError();
        index_ = -1;
    }
    // The event loop's part: hands the device what has happened.
    static void DeliverEvents(SdlInput& input) {
        SDL_JoystickUpdate();
        SDL_Event event;
        while (SDL_PollEvent(&event))
            input.HandleEvent(event);
    }

    int index_ = -1;
    SDL_Joystick* stick_ = nullptr;
};

TEST_F(SdlInputTest, AJoystickPluggedInWhileRunningIsReadAndLetGo) {
    SdlInput input(KeyboardAssigns, nullptr);
    input.Update();
    EXPECT_FALSE(input.HasJoystick());
    EXPECT_EQ(input.States(), InputStates{});

    PlugIn();
    DeliverEvents(input);
    ASSERT_TRUE(input.HasJoystick());
    const struct {
        Sint16 x, y;
        int button;  // 0-based, -1 for none
        InputStates states;
    } cases[] = {
        {0, 0, -1, {}},
        {-20000, 10000, 0, Held({stLeft, stButton1})},  // y within half its travel
        {32767, 32767, 1, Held({stRight, stDown, stButton2})},
        {0, -32768, 31, Held({stUp, stButton32})},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << "," << c.y << " button " << c.button);
        SDL_JoystickSetVirtualAxis(stick_, 0, c.x);
        SDL_JoystickSetVirtualAxis(stick_, 1, c.y);
        for (int b = 0; b < 32; ++b)
            SDL_JoystickSetVirtualButton(stick_, b, b == c.button);
        input.Update();
        EXPECT_EQ(input.States(), c.states);
    }

    Unplug();
    DeliverEvents(input);
    EXPECT_FALSE(input.HasJoystick());
    input.Update();
    EXPECT_EQ(input.States(), InputStates{});
}

}  // namespace
}  // namespace quarnel
