#pragma once

namespace quarnel::assetgen {

// The sounds are computed with nothing but + - * / on doubles, never the maths library, so
// that they come out the same whichever library and machine build them.

// sin(2 pi turns): a full cycle per unit, which keeps oscillator phases in plain fractions.
double SineTurns(double turns);

inline double CosineTurns(double turns) {
    return SineTurns(turns + 0.25);
}

// e raised to x.
double Exponential(double x);

// The factor that makes a value die away to 1/e in the given number of samples when it is
// multiplied by it once a sample.
inline double DecayPerSample(double samples) {
    return Exponential(-1.0 / samples);
}

// The nearest whole number, halves away from zero.
int RoundToInt(double value);

}  // namespace quarnel::assetgen
