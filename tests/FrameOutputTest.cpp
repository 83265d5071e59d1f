#include <gtest/gtest.h>

#include "app/DrawTrace.h"
#include "platform/headless/HeadlessDevices.h"
#include "platform/sdl/FrameFiles.h"
#include "platform/sdl/SdlImageList.h"
#include "platform/sdl/SdlSurface.h"
#include "render/PictureCatalogue.h"
#include "tests/ScratchDirectoryTest.h"

namespace quarnel {
namespace {

TEST(DrawTraceTest, ListsDrawsThatShowAPatternClippedOrNot) {
    NullImageList nowhere;
    DrawTrace trace(nowhere);
    trace.SetOn(true);
    trace.DrawPattern(piBlock, 320, 32, 2);
    trace.DrawPattern(piBlock, 352, 32, -1);  // an empty cell
    trace.DrawPattern(piBlock, 352, -64, 0);  // wholly off the screen, still listed
    trace.DrawPattern(piInt, -48, 400, 9);
    trace.DrawPattern(piInt, 0, 400, 10);
    trace.DrawPattern(PictureItemCount, 0, 0, 0);
    trace.DrawPattern(piShoutter, 0, -480, 0);
    EXPECT_EQ(trace.Draws(), "block:320:32:2,block:352:-64:0,int:-48:400:9,shoutter:0:-480:0");

    trace.Clear();
    trace.SetOn(false);
    trace.DrawPattern(piBgGame, 0, 0, 0);
    EXPECT_EQ(trace.Draws(), "");
}

class FrameFilesTest : public test::ScratchDirectoryTest {};

// What is written reads back as the very pixels of the surface, tick after tick.
TEST_F(FrameFilesTest, WritesNumberedPicturesOfTheSurface) {
    SdlSurface surface;
    SdlImageList pictures(surface, PictureSources());
    FrameFiles files(dir_);
    surface.SetPresenter(&files);
    surface.FillSurface(0);
    pictures.DrawPattern(piOpening, 0, 0, 0);
    pictures.DrawPattern(piBlock, 600, 460, 1);
    surface.FlipSurface();
    surface.FlipSurface();
    ASSERT_FALSE(files.Failed()) << files.Error();
    EXPECT_EQ(files.Written(), 2u);

    SurfacePtr read(SDL_LoadBMP((dir_ / "000002.bmp").c_str()));
    ASSERT_TRUE(read) << SDL_GetError();
    SurfacePtr pixels(SDL_ConvertSurfaceFormat(read.get(), ScreenFormat, 0));
    ASSERT_TRUE(pixels);
    ASSERT_EQ(pixels->w, ScreenWidth);
    ASSERT_EQ(pixels->h, ScreenHeight);
    for (int y = 0; y < ScreenHeight; ++y)
        for (int x = 0; x < ScreenWidth; ++x) {
            const auto* row = reinterpret_cast<const uint16_t*>(
                static_cast<const uint8_t*>(pixels->pixels) + y * pixels->pitch);
            ASSERT_EQ(row[x], surface.PixelAt(x, y)) << x << "," << y;
        }
}

TEST_F(FrameFilesTest, StopsAtTheFirstFailureAndNamesTheFile) {
    SdlSurface surface(4, 4);
    FrameFiles files(dir_ / "gone");
    files.Present(surface.Pixels());
    ASSERT_TRUE(files.Failed());
    EXPECT_NE(files.Error().find("gone/000001.bmp: "), std::string::npos) << files.Error();
    EXPECT_NE(files.Error().find("No such file or directory"), std::string::npos) << files.Error();

    std::filesystem::create_directory(dir_ / "gone");
    files.Present(surface.Pixels());
    EXPECT_EQ(files.Written(), 0u);
    EXPECT_FALSE(std::filesystem::exists(dir_ / "gone/000001.bmp"));
}

}  // namespace
}  // namespace quarnel
