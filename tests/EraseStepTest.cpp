#include <gtest/gtest.h>

#include <string>

#include "game/WaveItems.h"
#include "tests/GameHarness.h"

namespace quarnel {
namespace {

using test::GameHarness;

struct Block {
    int x, y;
    uint8_t colour;
};

// Runs the erase passes of one locked piece on a prepared well, as after a lock.
struct EraseResult {
    int points;
    int passes;
    int hits;
};

EraseResult ErasePasses(GameHarness& h) {
    h.gs.Phase = psErase;
    h.gs.PendingPoints = 0;
    const int before = h.gs.Score;
    int passes = 0;
    while (h.gs.Phase == psErase && passes < 20) {
        h.Step();
        ++passes;
    }
    EXPECT_EQ(h.gs.Phase, psTopCheck);
    EXPECT_EQ(h.gs.EraseCount, 0);
    return {h.gs.Score - before, passes, h.CountWaves(wiHit)};
}

std::vector<Block> Row(int y, int from, int to, uint8_t colour) {
    std::vector<Block> blocks;
    for (int x = from; x <= to; ++x)
        blocks.push_back({x, y, colour});
    return blocks;
}

std::vector<Block> Column(int x, int from, int to, uint8_t colour) {
    std::vector<Block> blocks;
    for (int y = from; y <= to; ++y)
        blocks.push_back({x, y, colour});
    return blocks;
}

std::vector<Block> Join(std::initializer_list<std::vector<Block>> parts) {
    std::vector<Block> all;
    for (const auto& p : parts)
        all.insert(all.end(), p.begin(), p.end());
    return all;
}

void Lay(GameHarness& h, const std::vector<Block>& blocks) {
    for (const Block& b : blocks)
        h.Put(b.x, b.y, b.colour);
}

TEST(EraseStepTest, ScoringExamples) {
    struct Case {
        const char* what;
        std::vector<Block> well;
        int points, passes;
        std::vector<Block> after;  // cells checked afterwards (EmptyCell for gone)
    };
    const Case cases[] = {
        {"nothing to erase",
         Join({Row(12, 0, 1, 0), Column(5, 10, 12, 1), Row(11, 5, 5, 2)}),
         0,
         1,
         {{0, 12, 0}, {5, 12, 1}}},
        {"three in row 12", Row(12, 0, 2, 0), 210, 2, {{0, 12, EmptyCell}}},
        {"three in a row under a stack",
         Join({Row(12, 0, 2, 0), {{0, 10, 1}, {0, 11, 2}}}),
         210,
         2,
         {{0, 11, 1}, {0, 12, 2}, {0, 10, EmptyCell}}},
        {"a full row", Row(12, 0, 7, 1), 506, 2, {{7, 12, EmptyCell}}},
        {"five in a column", Column(4, 8, 12, 2), 218, 2, {{4, 12, EmptyCell}}},
        {"twelve in a column", Column(4, 1, 12, 2), 5200, 2, {{4, 12, EmptyCell}}},
        {"a full column of thirteen keeps its bottom block",
         Column(4, 0, 12, 2),
         5200,
         2,
         {{4, 12, 2}, {4, 11, EmptyCell}, {4, 0, EmptyCell}}},
        {"the vertical run is met first and the row rest stays",
         Join({Column(0, 10, 12, 1), Row(12, 1, 2, 1)}),
         210,
         2,
         {{1, 12, 1}, {2, 12, 1}, {0, 12, EmptyCell}}},
        // At one cell the row goes first; the column then sees what dropped into the cell.
        {"a row and a column from one cell",
         Join({Row(10, 0, 3, 1), Column(0, 11, 12, 1)}),
         212,
         2,
         {{0, 11, 1}, {0, 12, 1}, {1, 10, EmptyCell}}},
        {"a drop completes a row still to be visited: same pass",
         Join({Column(0, 10, 12, 0), {{0, 9, 2}}, Row(12, 1, 2, 2)}),
         220,
         2,
         {{0, 12, EmptyCell}, {1, 12, EmptyCell}}},
        {"a drop completes a row already visited: next pass",
         Join({Column(1, 10, 12, 0), {{1, 9, 2}, {0, 12, 2}, {2, 12, 2}}}),
         420,
         3,
         {{0, 12, EmptyCell}, {1, 12, EmptyCell}, {2, 12, EmptyCell}}},
        {"a row erased under hanging blocks lets only them drop",
         Join({Row(5, 2, 4, 0), {{2, 3, 1}, {3, 4, 2}, {4, 2, 1}}}),
         210,
         2,
         {{2, 4, 1}, {3, 5, 2}, {4, 3, 1}, {2, 6, EmptyCell}, {3, 6, EmptyCell}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        GameHarness h;
        Lay(h, c.well);
        const EraseResult r = ErasePasses(h);
        EXPECT_EQ(r.points, c.points);
        EXPECT_EQ(r.passes, c.passes);
        EXPECT_EQ(r.hits, c.passes - 1);  // a Hit for every pass that erased
        for (const Block& b : c.after)
            EXPECT_EQ(h.gs.Board[b.x][b.y], b.colour) << "cell " << b.x << "," << b.y;
    }
}

TEST(EraseStepTest, RunPointsByLength) {
    // Worth 10 for three, then growing; a column can be 12 long, a row only 8.
    const int horizontal[] = {10, 12, 18, 36, 81, 306};
    const int vertical[] = {10, 12, 18, 36, 90, 270, 750, 1200, 1800, 5000};
    for (int length = 3; length <= 8; ++length) {
        SCOPED_TRACE(testing::Message() << "row of " << length);
        GameHarness h;
        Lay(h, Row(12, 8 - length, 7, 1));
        EXPECT_EQ(ErasePasses(h).points, horizontal[length - 3] + 200);
    }
    for (int length = 3; length <= 12; ++length) {
        SCOPED_TRACE(testing::Message() << "column of " << length);
        GameHarness h;
        Lay(h, Column(7, 13 - length, 12, 0));
        EXPECT_EQ(ErasePasses(h).points, vertical[length - 3] + 200);
    }
}

TEST(EraseStepTest, PointsWaitUntilThePassesAreOver) {
    GameHarness h;
    Lay(h, Join({Column(1, 10, 12, 0), {{1, 9, 2}, {0, 12, 2}, {2, 12, 2}}}));
    h.gs.Score = 7;
    h.gs.Phase = psErase;
    h.gs.PendingPoints = 0;
    h.Step();
    EXPECT_EQ(h.gs.Score, 7);
    EXPECT_EQ(h.gs.PendingPoints, 210);
    EXPECT_EQ(h.gs.EraseCount, 1);
    h.Step();
    EXPECT_EQ(h.gs.Score, 7);
    EXPECT_EQ(h.gs.PendingPoints, 420);
    h.Step();
    EXPECT_EQ(h.gs.Score, 427);
    EXPECT_EQ(h.gs.Phase, psTopCheck);
}

TEST(LockStepTest, WritesThePieceSlotBySlotAndShowsItsPlace) {
    GameHarness h;
    h.Place(22, 2, 12);  // J lying flat: (2,11) (4,11) (3,11) (2,10)
    h.gs.BlockColor = {2, 1, 0, 1};
    h.Put(4, 11, 0);  // overwritten by slot 1
    h.gs.PendingPoints = 99;
    h.gs.Phase = psLock;
    h.Step();
    EXPECT_EQ(h.gs.Board[2][11], 2);
    EXPECT_EQ(h.gs.Board[4][11], 1);
    EXPECT_EQ(h.gs.Board[3][11], 0);
    EXPECT_EQ(h.gs.Board[2][10], 1);
    EXPECT_EQ(h.caption.Text(), "2/12");
    EXPECT_EQ(h.gs.Phase, psErase);
    EXPECT_EQ(h.gs.PendingPoints, 0);
    EXPECT_EQ(h.gs.BF, 22);  // the piece stays described until the next spawn
}

// A turn near the top can leave blocks above row 0; they have no cell and are left out.
TEST(LockStepTest, BlocksAboveTheWellAreLeftOut) {
    GameHarness h;
    h.Place(4, 3, 1);  // upright I, anchor in row 0, two blocks above the well
    h.gs.BlockColor = {0, 1, 2, 1};
    const GameState before = h.gs;
    h.gs.Phase = psLock;
    h.Step();
    EXPECT_EQ(h.gs.Board[3][0], 0);
    EXPECT_EQ(h.gs.Board[3][1], 1);
    int blocks = 0;
    for (const auto& column : h.gs.Board)
        for (uint8_t cell : column)
            blocks += cell != EmptyCell;
    EXPECT_EQ(blocks, 2);
    EXPECT_EQ(h.gs.Score, before.Score);
    EXPECT_EQ(h.gs.EraseCount, before.EraseCount);
}

}  // namespace
}  // namespace quarnel
