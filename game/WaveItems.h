#pragma once

#include <string_view>

namespace quarnel {

// Items of the wave list, by index.
enum WaveItem : int { wiSha = 0, wiHit = 1, wiShutter = 2 };

inline constexpr int WaveItemCount = 3;

inline std::string_view WaveItemName(int item) {
    constexpr std::string_view names[WaveItemCount] = {"Sha", "Hit", "shutter"};
    return item >= 0 && item < WaveItemCount ? names[item] : std::string_view("?");
}

}  // namespace quarnel
