#include <gtest/gtest.h>

#include <vector>

#include "platform/sdl/SdlImageList.h"
#include "platform/sdl/SdlSurface.h"
#include "render/Frame.h"
#include "render/PictureCatalogue.h"
#include "tests/GameHarness.h"
#include "tests/ModelScreen.h"

namespace quarnel {
namespace {

using test::DecodePicture;
using test::GameHarness;
using test::ModelScreen;
using test::RgbPicture;
using test::To565;

// Composes each frame twice: on the real 640 x 480 surface and on the model, draw for draw.
class TwoScreens final : public Surface, public ImageList {
  public:
    void FillSurface(uint16_t colour) override {
        surface.FillSurface(colour);
        model.Fill(colour);
    }
    void FlipSurface() override { surface.FlipSurface(); }
    void DrawPattern(int item, int x, int y, int pattern) override {
        list.DrawPattern(item, x, y, pattern);
        model.Draw(item, x, y, pattern);
    }

    void Compose(const GameState& gs) {
        BeginFrame(*this, *this);
        FinishFrame(gs, *this, *this);
    }
    std::vector<uint16_t> Pixels() const {
        std::vector<uint16_t> out;
        out.reserve(ScreenWidth * ScreenHeight);
        for (int y = 0; y < ScreenHeight; ++y)
            for (int x = 0; x < ScreenWidth; ++x)
                out.push_back(surface.PixelAt(x, y));
        return out;
    }

    SdlSurface surface;
    SdlImageList list{surface, PictureSources()};
    ModelScreen model{ScreenWidth, ScreenHeight};
};

// Whether the screen rectangle at (x, y) shows `picture` from (left, top) onwards, exactly.
::testing::AssertionResult Shows(const TwoScreens& s, int x, int y, const RgbPicture& picture,
                                 int left, int top, int width, int height) {
    for (int dy = 0; dy < height; ++dy)
        for (int dx = 0; dx < width; ++dx)
            if (s.surface.PixelAt(x + dx, y + dy) != To565(picture.At(left + dx, top + dy)))
                return ::testing::AssertionFailure()
                       << "differs at screen (" << x + dx << ", " << y + dy << ")";
    return ::testing::AssertionSuccess();
}

GameHarness InPlay() {
    GameHarness h;
    h.Place(4, 3, 2);  // upright I, top block one row above the well
    h.gs.BlockColor = {0, 1, 2, 1};
    for (int x = 0; x < WellColumns; ++x)
        h.Put(x, 12, static_cast<uint8_t>(x % 3));
    h.Put(0, 11, 2);
    h.gs.Score = 1234567;
    return h;
}

TEST(FramePixelsTest, EveryFrameMatchesTheModelPixelForPixel) {
    struct Case {
        const char* what;
        GameHarness h;
    };
    std::vector<Case> cases;
    cases.push_back({"title", GameHarness()});
    cases.push_back({"in play, score 1234567", InPlay()});
    for (auto [phase, byc] : {std::pair{psGameOver, 0},
                              {psGameOver, 1},
                              {psGameOver, 20},
                              {psGameOver, 31},
                              {psGameOver, 50},
                              {psStart, 0},
                              {psStart, 1},
                              {psStart, 25},
                              {psStart, 50}}) {
        GameHarness h = InPlay();
        h.gs.Phase = phase;
        h.gs.BYC = static_cast<int8_t>(byc);
        cases.push_back({phase == psGameOver ? "game over" : "new game", h});
    }
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.what << ", BYC " << int{c.h.gs.BYC});
        TwoScreens s;
        s.Compose(c.h.gs);
        EXPECT_EQ(s.Pixels(), s.model.Pixels());
    }
}

TEST(FramePixelsTest, TitleShowsTheOpeningWithThePointerBesideStart) {
    TwoScreens s;
    s.Compose(GameHarness().gs);
    const RgbPicture opening = DecodePicture(piOpening);
    EXPECT_TRUE(Shows(s, 0, 0, opening, 0, 0, 640, 200));
    EXPECT_EQ(s.surface.PixelAt(266, 216), To565(0xFF0000));              // the disc
    EXPECT_EQ(s.surface.PixelAt(250, 200), To565(opening.At(250, 200)));  // its clear corner
}

TEST(FramePixelsTest, TopStripHidesABlockOneRowAboveTheWell) {
    TwoScreens s;
    GameHarness h = InPlay();
    s.Compose(h.gs);
    EXPECT_TRUE(Shows(s, 320, 0, DecodePicture(piBgBlock), 0, 0, 256, 32));
}

TEST(FramePixelsTest, BlocksAndDigitsStandWhereTheyBelong) {
    TwoScreens s;
    s.Compose(InPlay().gs);
    const RgbPicture block = DecodePicture(piBlock);
    const RgbPicture digits = DecodePicture(piInt);
    // The lowest row: colour x % 3 in column x.
    for (int x = 0; x < WellColumns; ++x)
        EXPECT_TRUE(Shows(s, 320 + 32 * x, 32 + 32 * 12, block, 32 * (x % 3), 0, 32, 32)) << x;
    // Digit 7 at X 240, digit 1 at X 48; the digits' white ground is not drawn.
    const RgbPicture ground = DecodePicture(piBgGame);
    for (auto [x, d] : {std::pair{240, 7}, {48, 1}})
        for (int dy = 0; dy < 32; ++dy)
            for (int dx = 0; dx < 32; ++dx) {
                const uint32_t ink = digits.At(32 * d + dx, dy);
                const uint32_t want = ink == clWhite ? ground.At(x + dx, 400 + dy) : ink;
                ASSERT_EQ(s.surface.PixelAt(x + dx, 400 + dy), To565(want)) << x << "," << dy;
            }
}

TEST(FramePixelsTest, FirstShutterTickShowsItsBottomRowsAlongTheTop) {
    TwoScreens s;
    GameHarness h = InPlay();
    h.gs.Phase = psGameOver;
    h.gs.BYC = 1;
    s.Compose(h.gs);
    EXPECT_TRUE(Shows(s, 0, 0, DecodePicture(piShoutter), 0, 456, 640, 24));
    EXPECT_TRUE(Shows(s, 0, 24, DecodePicture(piBgGame), 0, 24, 320, 100));
}

}  // namespace
}  // namespace quarnel
