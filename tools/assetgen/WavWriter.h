#pragma once

#include <cstdint>
#include <vector>

namespace quarnel::assetgen {

// A RIFF WAVE file holding one channel of unsigned 8-bit PCM samples (128 is silence).
std::vector<uint8_t> EncodeWav8(const std::vector<uint8_t>& samples, uint32_t sampleRate);

}  // namespace quarnel::assetgen
