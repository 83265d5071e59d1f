#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <vector>

#include "platform/sdl/SdlImageList.h"
#include "platform/sdl/SdlSurface.h"
#include "render/PictureCatalogue.h"
#include "tests/ModelScreen.h"

namespace quarnel {
namespace {

using test::ModelScreen;
using test::To565;

constexpr uint16_t Ground = 0x1234;  // a colour that no picture has

// The pictures drawn onto a small surface, so that every edge is near.
struct SmallScreen {
    static constexpr int Width = 48;
    static constexpr int Height = 40;
    SdlSurface surface{Width, Height};
    SdlImageList list{surface, PictureSources()};

    SmallScreen() { surface.FillSurface(Ground); }

    std::vector<uint16_t> Pixels() const {
        std::vector<uint16_t> out;
        for (int y = 0; y < Height; ++y)
            for (int x = 0; x < Width; ++x)
                out.push_back(surface.PixelAt(x, y));
        return out;
    }
};

TEST(SdlImageListTest, DrawsClippedAtEveryEdgeAndKeyed) {
    struct Case {
        const char* what;
        int item, x, y, pattern;
    };
    const Case cases[] = {
        {"inside", piBlock, 8, 4, 2},
        {"over the top-left corner", piBlock, -16, -16, 1},
        {"over the bottom-right corner", piBlock, 40, 30, 0},
        {"one column left on screen", piBlock, -31, 10, 3},
        {"one row left on screen", piInt, 10, 39, 5},
        {"just off the right edge", piBlock, 48, 0, 0},
        {"just above the top", piBlock, 0, -32, 0},
        {"far away", piBlock, 100000, -100000, 0},
        {"transparent corners", piPointer, 4, 2, 0},
        {"digit on its transparent ground", piInt, -3, 5, 7},
        {"a whole picture larger than the screen", piShoutter, -300, -420, 0},
        {"the top strip, opaque", piBgBlock, -100, 12, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SmallScreen screen;
        ModelScreen model(SmallScreen::Width, SmallScreen::Height);
        model.Fill(Ground);
        model.Draw(c.item, c.x, c.y, c.pattern);
        screen.list.DrawPattern(c.item, c.x, c.y, c.pattern);
        EXPECT_EQ(screen.Pixels(), model.Pixels());
    }
}

TEST(SdlImageListTest, KeyColourLetsTheGroundShowThrough) {
    SmallScreen screen;
    screen.list.DrawPattern(piPointer, 0, 0, 0);
    EXPECT_EQ(screen.surface.PixelAt(0, 0), Ground);    // white corner
    EXPECT_EQ(screen.surface.PixelAt(31, 31), Ground);  // white corner
    EXPECT_EQ(screen.surface.PixelAt(10, 10), To565(0xFF0000));
}

TEST(SdlImageListTest, PatternOrItemOutOfRangeDrawsNothing) {
    const struct {
        int item, pattern;
    } cases[] = {{piBlock, -1}, {piBlock, 4},    {piInt, 10}, {piInt, INT_MIN},
                 {piBgGame, 1}, {piPointer, -1}, {-1, 0},     {PictureItemCount, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "item " << c.item << " pattern " << c.pattern);
        SmallScreen screen;
        const std::vector<uint16_t> before = screen.Pixels();
        screen.list.DrawPattern(c.item, 0, 0, c.pattern);
        EXPECT_EQ(screen.Pixels(), before);
    }
}

TEST(SdlImageListTest, CopyOfAPatternMatchesItsDraw) {
    SmallScreen screen;
    screen.list.DrawPattern(piBlock, 0, 0, 2);
    const SurfacePtr copy = screen.list.CopyPattern(piBlock, 2);
    ASSERT_TRUE(copy);
    ASSERT_EQ(copy->w, 32);
    ASSERT_EQ(copy->h, 32);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            uint16_t pixel;
            std::memcpy(&pixel, static_cast<const uint8_t*>(copy->pixels) + y * copy->pitch + 2 * x,
                        sizeof pixel);
            ASSERT_EQ(pixel, screen.surface.PixelAt(x, y)) << x << "," << y;
        }
    EXPECT_FALSE(screen.list.CopyPattern(piBlock, 4));
    EXPECT_FALSE(screen.list.CopyPattern(-1, 0));
}

TEST(SdlImageListTest, PatternCountsFollowTheCatalogue) {
    SmallScreen screen;
    ASSERT_EQ(screen.list.Count(), PictureItemCount);
    const int expected[PictureItemCount] = {4, 1, 1, 1, 1, 1, 10};
    for (int item = 0; item < PictureItemCount; ++item)
        EXPECT_EQ(screen.list.PatternCount(item), expected[item]) << PictureCatalogue[item].name;
}

TEST(SdlImageListTest, AnUndecodablePictureIsNamedInTheError) {
    SdlSurface surface(8, 8);
    const uint8_t garbage[] = {'B', 'M', 1, 2, 3};
    const PictureSource sources[] = {{"broken", garbage, 0, 0, clWhite}};
    try {
        SdlImageList list(surface, sources);
        FAIL() << "no error";
    } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string(e.what()).find("picture 'broken'"), std::string::npos) << e.what();
    }
}

}  // namespace
}  // namespace quarnel
