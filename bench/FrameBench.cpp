// Time to compose one frame on the 640 x 480 16-bit surface, next to the time memcpy takes
// to copy as many bytes as the frame writes.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "game/PieceCatalogue.h"
#include "platform/sdl/SdlImageList.h"
#include "platform/sdl/SdlSurface.h"
#include "render/Frame.h"
#include "render/PictureCatalogue.h"

namespace quarnel {
namespace {

// The heaviest frame: the new-game shutter fully closed over the title and pointer, with a
// full well and a piece beneath.
GameState WorstCase() {
    GameState gs{};
    for (int x = 0; x < WellColumns; ++x)
        for (int y = 0; y < BoardRows; ++y)
            gs.Board[x][y] = static_cast<uint8_t>((x + y) % 3);
    for (int y = 0; y < BoardRows; ++y)
        gs.Board[8][y] = EmptyCell;
    gs.BF = 1;
    gs.BX = 3;
    gs.BY = 5;
    gs.BlockColor = {0, 1, 2, 0};
    gs.Phase = psStart;
    gs.BYC = 20;
    return gs;
}

// A game under way: the lower half of the well filled, a piece falling, a four-digit score.
GameState Typical() {
    GameState gs{};
    ClearBoard(gs);
    for (int x = 0; x < WellColumns; ++x)
        for (int y = 7; y < BoardRows; ++y)
            gs.Board[x][y] = static_cast<uint8_t>((x * 7 + y) % 3);
    gs.BF = 9;
    gs.BX = 4;
    gs.BY = 3;
    gs.BlockColor = {2, 1, 0, 2};
    gs.Phase = psFall;
    gs.Score = 4321;
    return gs;
}

// Counts the bytes a frame writes on the surface: the fill and every draw's visible area.
class ByteCount final : public Surface, public ImageList {
  public:
    void FillSurface(uint16_t) override { bytes += 2 * ScreenWidth * ScreenHeight; }
    void FlipSurface() override {}
    void DrawPattern(int item, int x, int y, int pattern) override {
        if (item < 0 || item >= PictureItemCount) return;
        const PatternGrid grid = PictureCatalogue[item].Patterns();
        if (!grid.Has(pattern)) return;
        const int visibleW = std::min(x + grid.width, ScreenWidth) - std::max(x, 0);
        const int visibleH = std::min(y + grid.height, ScreenHeight) - std::max(y, 0);
        if (visibleW > 0 && visibleH > 0) bytes += 2LL * visibleW * visibleH;
    }
    long long bytes = 0;
};

long long FrameBytes(const GameState& gs) {
    ByteCount count;
    BeginFrame(count, count);
    FinishFrame(gs, count, count);
    return count.bytes;
}

void ComposeFrames(benchmark::State& state, const GameState& gs) {
    const long long bytes = FrameBytes(gs);
    SdlSurface surface;
    SdlImageList pictures(surface, PictureSources());
    for (auto _ : state) {
        BeginFrame(surface, pictures);
        FinishFrame(gs, surface, pictures);
        benchmark::DoNotOptimize(surface.Pixels().pixels);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * bytes);
    state.counters["frame_bytes"] = static_cast<double>(bytes);
}

void CopyFrameBytes(benchmark::State& state, const GameState& gs) {
    const auto bytes = static_cast<size_t>(FrameBytes(gs));
    std::vector<char> from(bytes, 1), to(bytes);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), bytes);
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(bytes));
    state.counters["frame_bytes"] = static_cast<double>(bytes);
}

void BM_WorstCaseFrame(benchmark::State& state) {
    ComposeFrames(state, WorstCase());
}
void BM_WorstCaseFrameBytesByMemcpy(benchmark::State& state) {
    CopyFrameBytes(state, WorstCase());
}
void BM_TypicalFrame(benchmark::State& state) {
    ComposeFrames(state, Typical());
}
void BM_TypicalFrameBytesByMemcpy(benchmark::State& state) {
    CopyFrameBytes(state, Typical());
}

BENCHMARK(BM_WorstCaseFrame)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_WorstCaseFrameBytesByMemcpy)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TypicalFrame)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TypicalFrameBytesByMemcpy)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace quarnel

BENCHMARK_MAIN();
