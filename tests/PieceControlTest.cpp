#include <gtest/gtest.h>

#include "game/WaveItems.h"
#include "tests/GameHarness.h"

namespace quarnel {
namespace {

using test::GameHarness;
using test::Held;

TEST(PieceControlTest, SideMovesAreDecidedByTheProbeLists) {
    struct Case {
        const char* what;
        uint8_t type;
        int bx, by;
        std::vector<std::pair<int, int>> blocks;
        InputState move;
        int expectedBX;
    };
    const Case cases[] = {
        {"upright I at the right wall", 2, 7, 5, {}, stRight, 7},
        {"flat I at the left wall", 1, 1, 5, {}, stLeft, 1},
        {"flat I, free to the right", 1, 3, 6, {}, stRight, 4},
        {"flat I, block past its right end", 1, 3, 6, {{6, 5}}, stRight, 3},
        {"flat I, block above its end", 1, 3, 6, {{5, 4}}, stRight, 4},
        {"flat I, block diagonally above", 1, 3, 6, {{6, 4}}, stRight, 4},
        {"flat I turned, block past its left end", 3, 4, 6, {{1, 5}}, stLeft, 4},
        {"flat I turned, free to the left", 3, 4, 6, {}, stLeft, 3},
        {"S, block beside the lower pair", 9, 3, 5, {{4, 4}}, stRight, 3},
        {"S, block beside the upper pair", 9, 3, 5, {{5, 3}}, stRight, 3},
        {"S, free to the right", 9, 3, 5, {}, stRight, 4},
        {"J, block beside its foot", 24, 4, 6, {{3, 6}}, stLeft, 4},
        {"J, block beside its bar", 24, 4, 6, {{1, 5}}, stLeft, 4},
        {"J, block above its bar", 24, 4, 6, {{3, 4}}, stLeft, 3},
        // Overlapping a block, every occupied probe steps back at once and later probes see
        // the new column: S's right list meets the anchor's cell twice and ends one to the left.
        {"S overlapping a block at its anchor", 9, 3, 5, {{3, 4}}, stRight, 2},
        // A block sticking out above the well probes open air.
        {"upright I reaching above row 0", 2, 3, 1, {}, stRight, 4},
        {"upright I reaching above row 0 at the left wall", 2, 0, 1, {}, stLeft, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        for (GamePhase phase : {psFall, psSlide}) {
            SCOPED_TRACE(phase == psFall ? "falling" : "sliding");
            GameHarness h;
            h.Place(c.type, c.bx, c.by);
            h.gs.Phase = phase;
            for (auto [x, y] : c.blocks)
                h.Put(x, y, 1);
            h.Step(Held({c.move}));
            EXPECT_EQ(h.gs.BX, c.expectedBX);
            EXPECT_EQ(h.gs.BY, c.by);
        }
    }
}

TEST(PieceControlTest, HeldInputsArePrioritisedRightLeftAnticlockwiseClockwise) {
    struct Case {
        const char* what;
        InputStates in;
        int bx, by, type, score;
    };
    // Flat I at BX 3, BY 5 on an empty well.
    const Case cases[] = {
        {"right and left cancel", Held({stRight, stLeft}), 3, 5, 1, 0},
        {"right and left with a turn", Held({stRight, stLeft, stButton1}), 3, 5, 4, 0},
        {"right, left, turn and drop", Held({stRight, stLeft, stButton1, stDown}), 3, 6, 4, 1},
        {"both turn buttons: anticlockwise only", Held({stButton1, stButton2}), 3, 5, 4, 0},
        {"move wins over a turn", Held({stRight, stButton1}), 4, 5, 1, 0},
        {"move and soft drop together", Held({stRight, stDown}), 4, 6, 1, 1},
        {"a turn takes the soft drop", Held({stButton2, stDown}), 3, 5, 2, 0},
        {"up does nothing", Held({stUp, stButton3, stButton9}), 3, 5, 1, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        GameHarness h;
        h.Place(1, 3, 5);
        h.Step(c.in);
        EXPECT_EQ(h.gs.BX, c.bx);
        EXPECT_EQ(h.gs.BY, c.by);
        EXPECT_EQ(h.gs.BF, c.type);
        EXPECT_EQ(h.gs.Score, c.score);
    }
}

TEST(PieceControlTest, TurnsAreTestedOneRowLowerAndAlwaysPlaySha) {
    struct Case {
        const char* what;
        int by;
        InputState button;
        uint8_t from, to;
    };
    const Case cases[] = {
        {"flat I anticlockwise", 5, stButton1, 1, 4},
        {"upright I clockwise", 5, stButton2, 4, 1},
        {"flat I clockwise with room", 10, stButton2, 1, 2},
        // The turned piece's cells are free, but it would rest on the floor.
        {"flat I clockwise refused near the floor", 11, stButton2, 1, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        GameHarness h;
        h.Place(c.from, 3, c.by);
        h.Step(Held({c.button, stDown}));  // a turn, made or refused, leaves no soft drop
        EXPECT_EQ(h.gs.BF, c.to);
        EXPECT_EQ(h.gs.BY, c.by);
        EXPECT_EQ(h.gs.Score, 0);
        EXPECT_EQ(h.waves.Played(), std::vector<int>{wiSha});
    }
}

TEST(PieceControlTest, ClockwiseHeldFourTicksComesFullCircle) {
    GameHarness h;
    h.Place(17, 3, 5);
    for (int i = 0; i < 4; ++i)
        h.Step(Held({stButton2}));
    EXPECT_EQ(h.gs.BF, 17);
    EXPECT_EQ(h.CountWaves(wiSha), 4);
}

// The tick numbers of psFall in which BY grows, for a piece held in the air.
std::vector<int> FallTicks(InputStates in, int ticks) {
    GameHarness h;
    h.Place(17, 3, 3);
    std::vector<int> falls;
    for (int t = 1; t <= ticks; ++t) {
        const int before = h.gs.BY;
        h.Step(in);
        if (h.gs.BY != before) falls.push_back(t);
    }
    return falls;
}

TEST(PieceControlTest, FallTiming) {
    EXPECT_EQ(FallTicks({}, 21), (std::vector<int>{7, 14, 21}));
    EXPECT_EQ(FallTicks(Held({stButton2}), 22), (std::vector<int>{8, 15, 22}));
    EXPECT_EQ(FallTicks(Held({stLeft, stRight}), 14), (std::vector<int>{7, 14}));
    EXPECT_EQ(FallTicks(Held({stDown}), 5), (std::vector<int>{1, 2, 3, 4, 5}));
}

TEST(PieceControlTest, SoftDropScoresARowPerTick) {
    GameHarness h;
    h.Place(17, 3, 3);
    for (int i = 0; i < 5; ++i) {
        h.Step(Held({stDown}));
        EXPECT_EQ(h.gs.BYC, 0);
    }
    EXPECT_EQ(h.gs.BY, 8);
    EXPECT_EQ(h.gs.Score, 5);
}

TEST(PieceControlTest, HeldSidewaysMovesAColumnPerTickUpToTheWall) {
    GameHarness h;
    h.Place(1, 3, 3);
    std::vector<int> columns;
    for (int i = 0; i < 4; ++i) {
        h.Step(Held({stRight}));
        columns.push_back(h.gs.BX);
    }
    EXPECT_EQ(columns, (std::vector<int>{4, 5, 5, 5}));
}

// With the fall due, a move is probed at the row the piece leaves and lands it one lower.
TEST(PieceControlTest, MoveWithTheFallDueIsProbedAtTheRowLeft) {
    GameHarness h;
    h.Place(1, 3, 6, /*byc=*/7);
    h.Put(6, 6, 2);  // beside the piece's end one row lower
    h.Step(Held({stRight}));
    EXPECT_EQ(h.gs.BX, 4);
    EXPECT_EQ(h.gs.BY, 7);
}

std::vector<uint8_t> PhasesAfterEachStep(GameHarness& h, int ticks, InputStates in = {}) {
    std::vector<uint8_t> phases;
    for (int i = 0; i < ticks; ++i) {
        h.Step(in);
        phases.push_back(h.gs.Phase);
    }
    return phases;
}

TEST(PieceControlTest, LandingLeadsToLockAfterTheSlideDelay) {
    GameHarness h;
    h.Place(1, 3, 12, /*byc=*/6);  // falls onto the floor this tick
    h.Step();
    ASSERT_EQ(h.gs.Phase, psLanded);
    EXPECT_EQ(h.gs.BY, 13);
    const std::vector<uint8_t> expected = {psSlide, psSlide, psSlide, psSlide, psSlide,
                                           psSlide, psSlide, psSlide, psLock,  psErase};
    EXPECT_EQ(PhasesAfterEachStep(h, 10), expected);
}

TEST(PieceControlTest, SlidingAgainstTheWallPostponesTheLock) {
    GameHarness h;
    h.Place(2, 7, 11);  // upright I on the floor at the right wall
    h.gs.Phase = psLanded;
    std::vector<uint8_t> phases = PhasesAfterEachStep(h, 12, Held({stRight}));
    EXPECT_EQ(std::count(phases.begin(), phases.end(), psLock), 0);
    EXPECT_EQ(h.gs.BX, 7);
    const std::vector<uint8_t> cycle = {psSlide, psFall, psLanded};
    for (size_t i = 0; i < phases.size(); ++i)
        EXPECT_EQ(phases[i], cycle[i % 3]) << i;

    // Released, the piece locks after eight ticks of sliding.
    while (h.gs.Phase != psSlide)
        h.Step();
    int slides = 0;
    while (h.gs.Phase == psSlide) {
        h.Step();
        ++slides;
    }
    EXPECT_EQ(slides, 8);
    EXPECT_EQ(h.gs.Phase, psLock);
}

TEST(PieceControlTest, AMoveOnTheLastSlideTickLocksAtTheNewColumnOverEmptyCells) {
    GameHarness h;
    h.Put(3, 12, 1);
    h.Place(2, 3, 10, /*byc=*/6);  // upright I standing on that block
    h.gs.Phase = psSlide;
    h.Step(Held({stRight}));
    EXPECT_EQ(h.gs.BX, 4);
    ASSERT_EQ(h.gs.Phase, psLock);
    h.Step();
    for (int y = 8; y <= 11; ++y)
        EXPECT_NE(h.gs.Board[4][y], EmptyCell) << y;
    EXPECT_EQ(h.gs.Board[4][12], EmptyCell);
}

TEST(PieceControlTest, OnlySidewaysInputsActWhileSliding) {
    GameHarness h;
    h.Place(1, 3, 13);
    h.gs.Phase = psSlide;
    h.gs.BYC = -1;
    h.Step(Held({stDown, stButton1, stButton2, stUp}));
    EXPECT_EQ(h.gs.BF, 1);
    EXPECT_EQ(h.gs.BY, 13);
    EXPECT_EQ(h.gs.BYC, 0);
    EXPECT_EQ(h.gs.Score, 0);
    EXPECT_EQ(h.gs.Phase, psSlide);
    EXPECT_TRUE(h.waves.Played().empty());
}

}  // namespace
}  // namespace quarnel
