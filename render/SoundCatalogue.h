#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

#include "game/WaveItems.h"

namespace quarnel {

// 8-bit mono PCM, played once at its own rate, full volume, centred.
struct WaveEntry {
    std::string_view name;
    std::string_view file;  // the built-in asset it comes from
    int sampleRate;
    int dataBytes;
};

// The wave items in index order.
inline constexpr std::array<WaveEntry, WaveItemCount> SoundCatalogue{{
    {"Sha", "Sha.wav", 11025, 1347},
    {"Hit", "Hit.wav", 22050, 5334},
    {"shutter", "shutter.wav", 22050, 37915},
}};

// The built-in WAV file of a wave item.
std::span<const uint8_t> WaveFile(int item);
// Those of all the items, in index order, ready for a wave list.
std::array<std::span<const uint8_t>, WaveItemCount> WaveFiles();

}  // namespace quarnel
