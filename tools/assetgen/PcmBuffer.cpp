#include "PcmBuffer.h"

#include "SignalMath.h"

namespace quarnel::assetgen {

void FadeIn(std::vector<double>& signal, int samples) {
    for (int n = 0; n < samples && n < static_cast<int>(signal.size()); ++n)
        signal[n] *= static_cast<double>(n) / samples;
}

void FadeOut(std::vector<double>& signal, int samples) {
    const int size = static_cast<int>(signal.size());
    for (int k = 0; k < samples && k < size; ++k)
        signal[size - 1 - k] *= static_cast<double>(k) / samples;
}

std::vector<uint8_t> ToUnsigned8(const std::vector<double>& signal, double peak) {
    double loudest = 0.0;
    for (double v : signal) {
        const double magnitude = v < 0.0 ? -v : v;
        if (magnitude > loudest) loudest = magnitude;
    }
    const double scale = loudest > 0.0 ? peak * 127.0 / loudest : 0.0;
    std::vector<uint8_t> out;
    out.reserve(signal.size());
    for (double v : signal) {
        int sample = 128 + RoundToInt(v * scale);
        if (sample < 1) sample = 1;
        if (sample > 255) sample = 255;
        out.push_back(static_cast<uint8_t>(sample));
    }
    return out;
}

}  // namespace quarnel::assetgen
