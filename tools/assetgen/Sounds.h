#pragma once

#include <cstdint>
#include <vector>

namespace quarnel::assetgen {

struct Sound {
    uint32_t sampleRate = 0;
    std::vector<uint8_t> samples;  // unsigned 8-bit, 128 is silence
};

// The swish of a piece turning.
Sound SynthesiseSha();

// The pop of blocks being erased.
Sound SynthesiseHit();

// The metal shutter rolling down over the screen.
Sound SynthesiseShutter();

}  // namespace quarnel::assetgen
