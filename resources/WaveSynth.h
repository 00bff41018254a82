// SPDX-License-Identifier: MIT
#pragma once
#include <QByteArray>

#include <cstdint>
#include <functional>
#include <vector>

// A small additive and subtractive synthesiser for the sound effects. Signals are
// floating-point samples in -1..1; times are in seconds from the start of a sound.
namespace WaveSynth {

using Samples = std::vector<float>;

// White noise from a fixed seed, so every sound renders the same on every run.
class Noise
{
public:
    explicit Noise(std::uint32_t seed) : state(seed) {}
    float next();                            // -1..1
    float between(float low, float high);    // uniform in low..high
private:
    std::uint32_t state;
};

// A two-pole filter (bilinear transform of the analogue prototypes).
class Biquad
{
public:
    static Biquad bandPass(double centre, double q, int rate);   // 0 dB at the centre
    static Biquad lowPass(double cutoff, double q, int rate);
    static Biquad highPass(double cutoff, double q, int rate);
    float process(float x);
private:
    Biquad(double n0, double n1, double n2, double d0, double d1, double d2);
    double b0 = 1, b1 = 0, b2 = 0, a1 = 0, a2 = 0;
    double x1 = 0, x2 = 0, y1 = 0, y2 = 0;
};

// A formant resonator with unity gain at zero frequency; three in a row make a vowel.
class Resonator
{
public:
    Resonator(double frequency, double bandwidth, int rate);
    float process(float x);
private:
    double a, b, c;
    double y1 = 0, y2 = 0;
};

using Envelope = std::function<float(double t)>;

// Rises as a quarter sine over `attack`, then decays exponentially with time
// constant `decay` (seconds until the level is 1/e).
float attackDecay(double t, double attack, double decay);
// 0 outside 0..length, a raised-cosine hump inside.
float hump(double t, double length);
// 0 before riseStart and after fallEnd, 1 from riseEnd to fallStart, raised-cosine ramps.
float trapezoid(double t, double riseStart, double riseEnd, double fallStart, double fallEnd);

// Equal-tempered pitch of a MIDI note number (69 = A4 = 440 Hz).
double midiFrequency(int note);

// One partial of a tone: frequency ratio, relative level, own decay time.
struct Partial {
    double ratio;
    double level;
    double decay;
};

// Adds a struck or plucked tone: every partial starts at `start`, attacks over
// `attack` and decays with its own time; partials above the usable band are left out.
void addStruck(Samples &out, int rate, double start, double frequency, double gain,
               double attack, const std::vector<Partial> &partials);

// The sum of level(n) * sin(n * phase) for n = 1..count from the sine and cosine
// of the phase, by the Chebyshev recurrence.
template <typename LevelOf>
double harmonicSum(double sine, double cosine, int count, LevelOf level)
{
    const double twiceCos = 2 * cosine;
    double previous = 0, current = sine, sum = 0;
    for (int n = 1; n <= count; ++n) {
        sum += level(n) * current;
        const double next = twiceCos * current - previous;
        previous = current;
        current = next;
    }
    return sum;
}

// Adds filtered noise shaped by `envelope` (t counted from `start`) over `length`.
void addNoise(Samples &out, int rate, double start, double length, Biquad filter,
              const Envelope &envelope, double gain, Noise &noise);

// Scales the largest excursion to `peak` (1 = full scale).
void normalise(std::vector<Samples *> channels, double peak);
// Raised-cosine fades so the sound starts and ends exactly at silence.
void fadeEnds(Samples &samples, int rate, double fadeIn, double fadeOut);

std::size_t sampleCount(double seconds, int rate);

// A complete RIFF/WAVE file: uncompressed PCM, 8-bit unsigned, channels interleaved.
QByteArray encodeWave(const std::vector<const Samples *> &channels, int rate);

}  // namespace WaveSynth
