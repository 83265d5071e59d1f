#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

#include "game/PieceCatalogue.h"
#include "tests/GameHarness.h"

namespace quarnel {
namespace {

using test::GameHarness;

std::set<std::pair<int, int>> AsSet(const ProbeList& list) {
    std::set<std::pair<int, int>> s;
    for (const Offset& o : list)
        s.emplace(o.dx, o.dy);
    return s;
}

// The per-type columns follow from the cells; a slip in either table shows here.
TEST(PieceCatalogueTest, DerivedColumnsFollowFromCells) {
    for (int type = 1; type <= PieceTypeCount; ++type) {
        SCOPED_TRACE(type);
        const PieceEntry& e = CatalogueEntry(type);
        EXPECT_EQ(e.Cells[0], (Offset{0, 0}));
        int minDx = 0, maxDx = 0, minDy = 0, maxDy = 0;
        std::map<int, int> lowestInColumn;
        for (const Offset& c : e.Cells) {
            minDx = std::min<int>(minDx, c.dx);
            maxDx = std::max<int>(maxDx, c.dx);
            minDy = std::min<int>(minDy, c.dy);
            maxDy = std::max<int>(maxDy, c.dy);
            auto [it, fresh] = lowestInColumn.emplace(c.dx, c.dy);
            if (!fresh) it->second = std::max<int>(it->second, c.dy);
        }
        EXPECT_EQ(e.MinBX, -minDx);
        EXPECT_EQ(e.MaxBX, 7 - maxDx);
        EXPECT_EQ(e.RowLimit, 13 - maxDy);

        std::set<std::pair<int, int>> below;
        for (auto [dx, dy] : lowestInColumn)
            below.emplace(dx, dy + 1);
        EXPECT_EQ(AsSet(e.TouchProbes), below);
        EXPECT_EQ(e.TouchProbes.count, lowestInColumn.size());

        // A new piece shows its top row at row 0, within columns 2..5, in its own range.
        EXPECT_EQ(e.SpawnBY - 1 + minDy, 0);
        EXPECT_GE(e.SpawnBX + minDx, 2);
        EXPECT_LE(e.SpawnBX + maxDx, 5);
        EXPECT_GE(e.SpawnBX, e.MinBX);
        EXPECT_LE(e.SpawnBX, e.MaxBX);
    }
}

TEST(PieceCatalogueTest, ClockwiseQuarterTurnMapsEachTypeToItsSuccessor) {
    for (int type = 1; type <= PieceTypeCount; ++type) {
        SCOPED_TRACE(type);
        const uint8_t next = TurnedClockwise(type);
        EXPECT_EQ(PieceGroup(next), PieceGroup(type));
        EXPECT_EQ(Orientation(next), (Orientation(type) + 1) % 4);
        EXPECT_EQ(TurnedAnticlockwise(next), type);
        for (int slot = 0; slot < 4; ++slot) {
            const Offset c = CatalogueEntry(type).Cells[slot];
            EXPECT_EQ(CatalogueEntry(next).Cells[slot], (Offset{int8_t(-c.dy), c.dx}))
                << "slot " << slot;
        }
    }
    EXPECT_EQ(TurnedClockwise(24), 21);
    EXPECT_EQ(TurnedClockwise(4), 1);
    EXPECT_EQ(TurnedAnticlockwise(1), 4);
    EXPECT_EQ(TurnedAnticlockwise(17), 20);
}

// Every block whose neighbour on a side is not part of the piece has that neighbour probed.
TEST(PieceCatalogueTest, SideProbesCoverEveryOpenNeighbour) {
    for (int type = 1; type <= PieceTypeCount; ++type) {
        SCOPED_TRACE(type);
        const PieceEntry& e = CatalogueEntry(type);
        std::set<std::pair<int, int>> cells;
        for (const Offset& c : e.Cells)
            cells.emplace(c.dx, c.dy);
        for (int d : {+1, -1}) {
            const auto probes = AsSet(d > 0 ? e.RightProbes : e.LeftProbes);
            for (auto [dx, dy] : cells) {
                if (cells.count({dx + d, dy})) continue;
                EXPECT_TRUE(probes.count({dx + d, dy})) << "neighbour " << dx + d << "," << dy;
            }
        }
    }
}

TEST(PieceCatalogueTest, TouchCheckCases) {
    struct Case {
        const char* what;
        uint8_t type;
        int bx, by;
        std::vector<std::pair<int, int>> blocks;
        bool fullBoard;
        bool touches;
    };
    const Case cases[] = {
        {"type 0 on an empty board", 0, 3, 5, {}, false, false},
        {"type 0 on a full board", 0, 3, 5, {}, true, false},
        {"type 25 on a full board", 25, 3, 13, {}, true, false},
        {"type 255 on a full board", 255, 3, 5, {}, true, false},
        {"upright I free above the floor", 2, 3, 10, {}, false, false},
        {"upright I with its lowest block in row 12", 2, 3, 11, {}, false, true},
        {"flat I with its blocks in row 11", 1, 3, 12, {}, false, false},
        {"flat I on the floor", 1, 3, 13, {}, false, true},
        {"S over a block below its raised end", 9, 3, 5, {{4, 4}}, false, true},
        {"S with a block further down", 9, 3, 5, {{4, 5}}, false, false},
        {"S with a block in its own footprint", 9, 3, 5, {{3, 4}}, false, false},
        {"S with blocks beside it", 9, 3, 5, {{1, 4}, {5, 3}}, false, false},
        {"S on blocks below its lower pair", 9, 3, 5, {{2, 5}}, false, true},
        // Asked about a type at a column it may not occupy (before a turn): probes past the
        // walls read as empty and nothing outside the board is touched.
        {"flat I asked past the left wall", 3, 0, 5, {}, false, false},
        {"flat I asked past the left wall, block inside", 3, 0, 5, {{1, 5}}, false, true},
        {"flat I asked past the right wall", 1, 7, 5, {}, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        GameHarness h;
        if (c.fullBoard)
            for (auto& column : h.gs.Board)
                column.fill(1);
        for (auto [x, y] : c.blocks)
            h.Put(x, y, 0);
        h.gs.BX = static_cast<int8_t>(c.bx);
        h.gs.BY = static_cast<int8_t>(c.by);
        EXPECT_EQ(TouchCheck(h.gs, c.type), c.touches);
    }
}

TEST(PieceCatalogueTest, ClampBXHoldsThePieceInTheWell) {
    struct Case {
        uint8_t type;
        int bx, expected;
    };
    const Case cases[] = {{1, 0, 1},  {1, 6, 5},  {1, 3, 3},   {2, -1, 0}, {2, 8, 7},
                          {20, 0, 2}, {18, 7, 5}, {0, -1, -1}, {25, 9, 9}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "type " << int{c.type} << " BX " << c.bx);
        GameHarness h;
        h.gs.BF = c.type;
        h.gs.BX = static_cast<int8_t>(c.bx);
        h.gs.BY = 5;
        ClampBX(h.gs);
        EXPECT_EQ(h.gs.BX, c.expected);
        EXPECT_EQ(h.gs.BY, 5);
    }
}

TEST(PieceCatalogueTest, NewPiecesStartAtTheirSpawnCells) {
    struct Case {
        uint8_t type;
        std::set<std::pair<int, int>> cells;
    };
    const Case cases[] = {
        {4, {{3, 0}, {3, 1}, {3, 2}, {3, 3}}},
        {22, {{2, 1}, {3, 1}, {4, 1}, {2, 0}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(int{c.type});
        GameHarness h;
        const PieceEntry& e = CatalogueEntry(c.type);
        h.Place(c.type, e.SpawnBX, e.SpawnBY);
        const auto cells = h.PieceCells();
        const std::set<std::pair<int, int>> covered(cells.begin(), cells.end());
        EXPECT_EQ(covered, c.cells);
    }
}

}  // namespace
}  // namespace quarnel
