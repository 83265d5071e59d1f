#include "Sounds.h"

#include "Filters.h"
#include "NoiseSource.h"
#include "PcmBuffer.h"
#include "SignalMath.h"

namespace quarnel::assetgen {

namespace {

// Soft clipping shaped like tanh, for a little warmth without harsh edges.
double Saturate(double x) {
    if (x > 3.0) return 1.0;
    if (x < -3.0) return -1.0;
    return x * (27.0 + x * x) / (27.0 + 9.0 * x * x);
}

int Samples(double seconds, double rate) {
    return RoundToInt(seconds * rate);
}

}  // namespace

Sound SynthesiseSha() {
    constexpr double Rate = 11025.0;
    constexpr int Length = 1347;
    NoiseSource noise(0x5A17C0DEu);
    // Air rushing past: noise through two resonances that glide upward together, swelling
    // quickly and dying away.
    BandPass body;
    BandPass edge;
    const double peakAt = 0.030 * Rate;
    std::vector<double> signal(Length);
    for (int n = 0; n < Length; ++n) {
        const double progress = static_cast<double>(n) / Length;
        const double centre = 650.0 * Exponential(1.55 * progress);
        body.Tune(centre, 2.2, Rate);
        edge.Tune(centre * 1.5, 4.0, Rate);
        const double x = n / peakAt;
        const double envelope = x * x * Exponential(2.0 * (1.0 - x));
        const double hiss = noise.NextSigned();
        signal[n] = envelope * (body.Process(hiss) + 0.5 * edge.Process(hiss));
    }
    FadeOut(signal, Samples(0.012, Rate));
    return {static_cast<uint32_t>(Rate), ToUnsigned8(signal, 0.85)};
}

Sound SynthesiseHit() {
    constexpr double Rate = 22050.0;
    constexpr int Length = 5334;
    NoiseSource noise(0xB10C5EEDu);
    // A crack of bright noise on top of a round tone that drops in pitch as it fades.
    BandPass crack;
    crack.Tune(2600.0, 0.9, Rate);
    const double sweepDecay = DecayPerSample(0.035 * Rate);
    const double bodyDecay = DecayPerSample(0.075 * Rate);
    const double overtoneDecay = DecayPerSample(0.030 * Rate);
    const double crackDecay = DecayPerSample(0.003 * Rate);
    double sweep = 1.0;
    double bodyLevel = 1.0;
    double overtoneLevel = 1.0;
    double crackLevel = 1.0;
    double phase = 0.0;
    std::vector<double> signal(Length);
    for (int n = 0; n < Length; ++n) {
        const double hz = 110.0 + 430.0 * sweep;
        const double tone = SineTurns(phase) + 0.35 * overtoneLevel * SineTurns(2.0 * phase);
        const double body = bodyLevel * Saturate(1.6 * tone);
        const double click = crackLevel * crack.Process(noise.NextSigned());
        signal[n] = 0.8 * body + 0.7 * click;
        phase += hz / Rate;
        if (phase >= 1.0) phase -= 1.0;
        sweep *= sweepDecay;
        bodyLevel *= bodyDecay;
        overtoneLevel *= overtoneDecay;
        crackLevel *= crackDecay;
    }
    FadeIn(signal, Samples(0.0015, Rate));
    FadeOut(signal, Samples(0.020, Rate));
    return {static_cast<uint32_t>(Rate), ToUnsigned8(signal, 0.9)};
}

Sound SynthesiseShutter() {
    constexpr double Rate = 22050.0;
    constexpr int Length = 37915;
    const double seconds = Length / Rate;
    NoiseSource chance(0x00C0FFEEu);
    NoiseSource hiss(0x5EED1234u);
    NoiseSource roar(0x0DDBA11Bu);

    // Each slat passing the guide gives a click; the shutter gathers a little speed as it comes
    // down, and no two clicks are quite evenly spaced or alike.
    struct Click {
        int start;
        double level;
        double tuning;
    };
    std::vector<Click> clicks;
    for (double t = 0.012; t < seconds;) {
        const double level = 0.7 + 0.3 * chance.NextUnit();
        const double tuning = 1.0 + 0.05 * chance.NextSigned();
        clicks.push_back({Samples(t, Rate), level, tuning});
        const double perSecond = 27.0 + 6.0 * t / seconds;
        t += (1.0 + 0.15 * chance.NextSigned()) / perSecond;
    }

    // A slat rings briefly at a few unrelated pitches, over a dull knock.
    struct Mode {
        double hz;
        double decaySeconds;
        double level;
    };
    constexpr Mode Modes[] = {
        {163.0, 0.018, 0.5},  {1230.0, 0.011, 0.5}, {2170.0, 0.008, 0.4},
        {3390.0, 0.006, 0.3}, {4710.0, 0.004, 0.2},
    };
    constexpr int ModeCount = sizeof(Modes) / sizeof(Modes[0]);
    double modeDecay[ModeCount];
    for (int m = 0; m < ModeCount; ++m)
        modeDecay[m] = DecayPerSample(Modes[m].decaySeconds * Rate);
    const double tickDecay = DecayPerSample(0.0012 * Rate);
    const int clickLength = Samples(0.060, Rate);

    std::vector<double> signal(Length, 0.0);
    for (const Click& click : clicks) {
        double modeLevel[ModeCount];
        for (int m = 0; m < ModeCount; ++m)
            modeLevel[m] = Modes[m].level;
        double tickLevel = 0.9;
        for (int k = 0; k < clickLength && click.start + k < Length; ++k) {
            const double time = k / Rate;
            double value = tickLevel * hiss.NextSigned();
            for (int m = 0; m < ModeCount; ++m) {
                value += modeLevel[m] * SineTurns(Modes[m].hz * click.tuning * time);
                modeLevel[m] *= modeDecay[m];
            }
            tickLevel *= tickDecay;
            signal[click.start + k] += click.level * value;
        }
    }

    // The low roar of the rolling drum under the clicks, set by its average loudness.
    LowPass first(150.0, Rate);
    LowPass second(150.0, Rate);
    std::vector<double> rumble(Length);
    double total = 0.0;
    for (int n = 0; n < Length; ++n) {
        rumble[n] = second.Process(first.Process(roar.NextSigned()));
        total += rumble[n] < 0.0 ? -rumble[n] : rumble[n];
    }
    const double rumbleGain = total > 0.0 ? 0.16 * Length / total : 0.0;
    for (int n = 0; n < Length; ++n)
        signal[n] += rumbleGain * rumble[n];

    FadeIn(signal, Samples(0.060, Rate));
    FadeOut(signal, Samples(0.400, Rate));
    return {static_cast<uint32_t>(Rate), ToUnsigned8(signal, 0.9)};
}

}  // namespace quarnel::assetgen
