#pragma once

#include <cstdint>
#include <vector>

namespace quarnel::assetgen {

// Ramps the start up from silence over the given number of samples, so that it starts without
// a click.
void FadeIn(std::vector<double>& signal, int samples);

// Ramps the end down to silence; the last sample is exactly silent.
void FadeOut(std::vector<double>& signal, int samples);

// Scales the signal so that its loudest sample reaches peak (a fraction of full scale) and
// converts it to unsigned 8-bit samples around 128.
std::vector<uint8_t> ToUnsigned8(const std::vector<double>& signal, double peak);

}  // namespace quarnel::assetgen
