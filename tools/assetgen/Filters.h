#pragma once

namespace quarnel::assetgen {

// A resonant band-pass (two poles, two zeros) with a peak gain of 1, whose centre may move
// from one sample to the next.
class BandPass {
  public:
    void Tune(double centreHz, double quality, double sampleRate);
    double Process(double in);

  private:
    double b0_ = 0.0, b2_ = 0.0, a1_ = 0.0, a2_ = 0.0;
    double x1_ = 0.0, x2_ = 0.0, y1_ = 0.0, y2_ = 0.0;
};

// A gentle one-pole low-pass.
class LowPass {
  public:
    LowPass(double cornerHz, double sampleRate);
    double Process(double in) {
        state_ += coefficient_ * (in - state_);
        return state_;
    }

  private:
    double coefficient_;
    double state_ = 0.0;
};

}  // namespace quarnel::assetgen
