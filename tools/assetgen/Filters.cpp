#include "Filters.h"

#include "SignalMath.h"

namespace quarnel::assetgen {

void BandPass::Tune(double centreHz, double quality, double sampleRate) {
    const double turns = centreHz / sampleRate;
    const double alpha = SineTurns(turns) / (2.0 * quality);
    const double a0 = 1.0 + alpha;
    b0_ = alpha / a0;
    b2_ = -alpha / a0;
    a1_ = -2.0 * CosineTurns(turns) / a0;
    a2_ = (1.0 - alpha) / a0;
}

double BandPass::Process(double in) {
    const double out = b0_ * in + b2_ * x2_ - a1_ * y1_ - a2_ * y2_;
    x2_ = x1_;
    x1_ = in;
    y2_ = y1_;
    y1_ = out;
    return out;
}

LowPass::LowPass(double cornerHz, double sampleRate)
    : coefficient_(1.0 - Exponential(-6.283185307179586 * cornerHz / sampleRate)) {}

}  // namespace quarnel::assetgen
