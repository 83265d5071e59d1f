#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "render/Frame.h"
#include "render/PictureCatalogue.h"
#include "tests/GameHarness.h"

namespace quarnel {
namespace {

using test::GameHarness;

// Lists the pictures drawn, as "item:x:y:pattern", leaving out patterns that draw nothing.
class DrawLog final : public ImageList, public Surface {
  public:
    void DrawPattern(int item, int x, int y, int pattern) override {
        if (!PictureCatalogue[item].Patterns().Has(pattern)) return;
        draws.push_back(std::to_string(item) + ":" + std::to_string(x) + ":" + std::to_string(y) +
                        ":" + std::to_string(pattern));
    }
    void FillSurface(uint16_t color) override { draws.push_back("fill:" + std::to_string(color)); }
    void FlipSurface() override { draws.push_back("flip"); }
    std::vector<std::string> draws;
};

std::vector<std::string> Frame(const GameState& gs) {
    DrawLog log;
    BeginFrame(log, log);
    FinishFrame(gs, log, log);
    return log.draws;
}

// The draws after the fixed opening (fill, bg_game) and the top strip, before the flip.
std::vector<std::string> Overlay(const GameState& gs) {
    std::vector<std::string> d = Frame(gs);
    auto strip = std::find(d.begin(), d.end(), "2:320:0:0");
    EXPECT_NE(strip, d.end());
    return {strip + 1, d.end() - 1};
}

TEST(FrameTest, EveryFrameStartsBlackWithTheGameBackgroundAndEndsWithAFlip) {
    GameHarness h;
    const auto d = Frame(h.gs);
    ASSERT_GE(d.size(), 4u);
    EXPECT_EQ(d[0], "fill:0");
    EXPECT_EQ(d[1], "1:0:0:0");
    EXPECT_EQ(d.back(), "flip");
}

TEST(FrameTest, OverlayOfEachPhase) {
    struct Case {
        const char* what;
        uint8_t phase;
        int byc;
        int32_t score;
        std::vector<std::string> overlay;
    };
    const Case cases[] = {
        {"title", psTitle, 0, 0, {"3:0:0:0", "5:250:200:0"}},
        {"score 0", psFall, 0, 0, {"6:240:400:0"}},
        {"score 1234567",
         psErase,
         0,
         1234567,
         {"6:240:400:7", "6:208:400:6", "6:176:400:5", "6:144:400:4", "6:112:400:3", "6:80:400:2",
          "6:48:400:1"}},
        {"game over begins: no score, no shutter", psGameOver, 0, 55, {}},
        {"game over, first tick", psGameOver, 1, 0, {"4:0:-456:0"}},
        {"game over, shutter closed", psGameOver, 21, 0, {"4:0:0:0"}},
        {"game over, rising", psGameOver, 31, 0, {"3:0:0:0", "4:0:-24:0"}},
        {"game over, last tick", psGameOver, 50, 0, {"3:0:0:0", "4:0:-480:0"}},
        {"new game begins", psStart, 0, 0, {"3:0:0:0", "5:250:200:0", "4:0:-480:0"}},
        {"new game, first tick", psStart, 1, 0, {"3:0:0:0", "5:250:200:0", "4:0:-456:0"}},
        {"new game, closed", psStart, 30, 0, {"4:0:0:0"}},
        {"new game, last tick", psStart, 50, 0, {"4:0:-480:0"}},
        {"a phase out of range", 12, 0, 0, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        GameHarness h;
        h.gs.Phase = c.phase;
        h.gs.BYC = static_cast<int8_t>(c.byc);
        h.gs.Score = c.score;
        EXPECT_EQ(Overlay(h.gs), c.overlay);
    }
}

// The piece is drawn first, where its blocks will lock, then the board and the top strip.
TEST(FrameTest, PieceBoardAndTopStripInOrder) {
    GameHarness h;
    h.Place(4, 3, 2);  // upright I: anchor (3,1), then (3,2), (3,0), (3,-1)
    h.gs.BlockColor = {0, 1, 2, 1};
    h.gs.Phase = psLock;  // a locked piece is still drawn until the next spawn
    h.Put(3, 2, 2);
    const auto d = Frame(h.gs);
    const std::vector<std::string> expected = {
        "fill:0",     "1:0:0:0",   "0:416:64:0",  "0:416:96:1", "0:416:32:2",
        "0:416:0:1",  // one row above the well: drawn, then covered by the strip
        "0:416:96:2", "2:320:0:0", "6:240:400:0", "flip"};
    EXPECT_EQ(d, expected);
}

}  // namespace
}  // namespace quarnel
