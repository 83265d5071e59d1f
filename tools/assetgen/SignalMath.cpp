#include "SignalMath.h"

#include <cstdint>

namespace quarnel::assetgen {

namespace {

constexpr double TwoPi = 6.283185307179586;

// sin(x) for |x| <= pi/2 by its Taylor series up to x^11; the first term left out is below
// 1e-7 there.
double SineNearZero(double x) {
    const double x2 = x * x;
    double term = x;
    double sum = x;
    for (int k = 1; k <= 5; ++k) {
        term *= -x2 / static_cast<double>((2 * k) * (2 * k + 1));
        sum += term;
    }
    return sum;
}

}  // namespace

double SineTurns(double turns) {
    double t = turns - static_cast<double>(static_cast<int64_t>(turns));
    if (t < 0.0) t += 1.0;
    // Fold the cycle onto its first quarter, where the series is accurate.
    double sign = 1.0;
    if (t >= 0.5) {
        t -= 0.5;
        sign = -1.0;
    }
    if (t > 0.25) t = 0.5 - t;
    return sign * SineNearZero(TwoPi * t);
}

double Exponential(double x) {
    // Halve the argument until the series converges in a few terms, then square back up.
    int halvings = 0;
    while (x > 1.0 / 64.0 || x < -1.0 / 64.0) {
        x /= 2.0;
        ++halvings;
    }
    double term = 1.0;
    double result = 1.0;
    for (int k = 1; k <= 6; ++k) {
        term *= x / k;
        result += term;
    }
    for (int i = 0; i < halvings; ++i)
        result *= result;
    return result;
}

int RoundToInt(double value) {
    return value >= 0.0 ? static_cast<int>(value + 0.5) : -static_cast<int>(-value + 0.5);
}

}  // namespace quarnel::assetgen
