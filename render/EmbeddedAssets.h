#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace quarnel {

// The bytes of an asset file built into the program ("block.bmp", "Hit.wav", ...); empty for
// a name that is not built in.
std::span<const uint8_t> EmbeddedAsset(std::string_view fileName);

}  // namespace quarnel
