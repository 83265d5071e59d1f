#pragma once

#include <cstdint>
#include <vector>

#include "Canvas.h"

namespace quarnel::assetgen {

// An uncompressed Windows bitmap with 4 bits per pixel and the canvas's palette padded to 16
// entries.
std::vector<uint8_t> EncodeBmp4(const Canvas& canvas);

// An uncompressed Windows bitmap with 24 bits per pixel, for pictures the game copies without
// a palette.
std::vector<uint8_t> EncodeBmp24(const Canvas& canvas);

}  // namespace quarnel::assetgen
