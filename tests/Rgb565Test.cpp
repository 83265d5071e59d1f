#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <vector>

#include "platform/sdl/Rgb565.h"

namespace quarnel {
namespace {

// Each channel widens to within one step of its exact share of 255, with black and white
// exact, and narrowing back gives the 16-bit colour again.
TEST(Rgb565Test, WidensEveryColourCloseToExactAndBackAgain) {
    constexpr int Count = 65536;
    std::vector<uint16_t> all(Count);
    for (int i = 0; i < Count; ++i)
        all[i] = static_cast<uint16_t>(i);
    std::vector<uint32_t> wide(Count);
    WidenRgb565(256, 256, all.data(), 512, wide.data(), 1024);
    const struct { int shift16, bits, shift32; } channels[] = {{11, 5, 16}, {5, 6, 8}, {0, 5, 0}};
    for (int i = 0; i < Count; ++i) {
        ASSERT_EQ(wide[i], Rgb565ToArgb8888(all[i]));
        ASSERT_EQ(wide[i] >> 24, 0xFFu);
        uint32_t narrowed = 0;
        for (const auto& c : channels) {
            const int max = (1 << c.bits) - 1;
            const int v = (i >> c.shift16) & max;
            const int w = static_cast<int>(wide[i] >> c.shift32 & 0xFF);
            ASSERT_LT(std::abs(w * max - v * 255), max) << std::hex << "colour " << i;
            narrowed |= static_cast<uint32_t>(w >> (8 - c.bits)) << c.shift16;
        }
        ASSERT_EQ(narrowed, static_cast<uint32_t>(i));
    }
    EXPECT_EQ(Rgb565ToArgb8888(0xFFFF), 0xFFFFFFFFu);
    EXPECT_EQ(Rgb565ToArgb8888(0x0000), 0xFF000000u);
}

}  // namespace
}  // namespace quarnel
