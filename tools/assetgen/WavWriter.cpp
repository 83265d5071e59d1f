#include "WavWriter.h"

#include "LittleEndian.h"

namespace quarnel::assetgen {

namespace {

constexpr uint32_t FormatChunkSize = 16;
constexpr uint32_t PcmFormat = 1;
constexpr uint32_t BitsPerSample = 8;

}  // namespace

std::vector<uint8_t> EncodeWav8(const std::vector<uint8_t>& samples, uint32_t sampleRate) {
    const uint32_t dataSize = static_cast<uint32_t>(samples.size());
    // A chunk of odd length is followed by a pad byte its own size leaves out but the RIFF
    // size counts.
    const uint32_t pad = dataSize % 2;
    std::vector<uint8_t> out;
    PutTag(out, "RIFF");
    PutU32(out, 4 + (8 + FormatChunkSize) + (8 + dataSize + pad));
    PutTag(out, "WAVE");

    PutTag(out, "fmt ");
    PutU32(out, FormatChunkSize);
    PutU16(out, PcmFormat);
    PutU16(out, 1);  // channels
    PutU32(out, sampleRate);
    PutU32(out, sampleRate);  // bytes per second: one byte per sample
    PutU16(out, 1);           // bytes per sample frame
    PutU16(out, BitsPerSample);

    PutTag(out, "data");
    PutU32(out, dataSize);
    out.insert(out.end(), samples.begin(), samples.end());
    if (pad != 0) out.push_back(0);
    return out;
}

}  // namespace quarnel::assetgen
