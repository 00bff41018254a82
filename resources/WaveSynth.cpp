// SPDX-License-Identifier: MIT
#include "resources/WaveSynth.h"

#include <QtEndian>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace WaveSynth {

namespace {

constexpr double pi = std::numbers::pi;

// Partials above this share of the sample rate would fold back as harsh aliases.
constexpr double usableBand = 0.45;

// How many time constants an exponential decay needs to fall below 1/10000.
constexpr double decaysToSilence = 9.3;

std::size_t clampedIndex(double seconds, int rate, std::size_t size)
{
    const double index = std::max(0.0, std::round(seconds * rate));
    return std::min(size, static_cast<std::size_t>(index));
}
}  // namespace

float Noise::next()
{
    // xorshift32: fast, full period, and the same on every platform
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return static_cast<float>(state / 4294967295.0 * 2.0 - 1.0);
}

float Noise::between(float low, float high) { return low + (high - low) * (next() + 1.0f) / 2.0f; }

// Numerator n0..n2 and denominator d0..d2, stored divided by d0.
Biquad::Biquad(double n0, double n1, double n2, double d0, double d1, double d2)
    : b0(n0 / d0), b1(n1 / d0), b2(n2 / d0), a1(d1 / d0), a2(d2 / d0)
{
}

Biquad Biquad::bandPass(double centre, double q, int rate)
{
    const double w = 2 * pi * centre / rate;
    const double alpha = std::sin(w) / (2 * q);
    return Biquad(alpha, 0, -alpha, 1 + alpha, -2 * std::cos(w), 1 - alpha);
}

Biquad Biquad::lowPass(double cutoff, double q, int rate)
{
    const double w = 2 * pi * cutoff / rate;
    const double alpha = std::sin(w) / (2 * q);
    const double c = std::cos(w);
    return Biquad((1 - c) / 2, 1 - c, (1 - c) / 2, 1 + alpha, -2 * c, 1 - alpha);
}

Biquad Biquad::highPass(double cutoff, double q, int rate)
{
    const double w = 2 * pi * cutoff / rate;
    const double alpha = std::sin(w) / (2 * q);
    const double c = std::cos(w);
    return Biquad((1 + c) / 2, -(1 + c), (1 + c) / 2, 1 + alpha, -2 * c, 1 - alpha);
}

float Biquad::process(float x)
{
    const double y = b0 * x + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2;
    x2 = x1;
    x1 = x;
    y2 = y1;
    y1 = y;
    return static_cast<float>(y);
}

Resonator::Resonator(double frequency, double bandwidth, int rate)
{
    const double t = 1.0 / rate;
    c = -std::exp(-2 * pi * bandwidth * t);
    b = 2 * std::exp(-pi * bandwidth * t) * std::cos(2 * pi * frequency * t);
    a = 1 - b - c;
}

float Resonator::process(float x)
{
    const double y = a * x + b * y1 + c * y2;
    y2 = y1;
    y1 = y;
    return static_cast<float>(y);
}

float attackDecay(double t, double attack, double decay)
{
    if (t < 0)
        return 0;
    if (t < attack)
        return static_cast<float>(std::sin(pi / 2 * t / attack));
    return static_cast<float>(std::exp(-(t - attack) / decay));
}

float hump(double t, double length)
{
    if (t <= 0 || t >= length)
        return 0;
    return static_cast<float>(0.5 - 0.5 * std::cos(2 * pi * t / length));
}

float trapezoid(double t, double riseStart, double riseEnd, double fallStart, double fallEnd)
{
    if (t <= riseStart || t >= fallEnd)
        return 0;
    if (t < riseEnd)
        return static_cast<float>(0.5 - 0.5 * std::cos(pi * (t - riseStart) / (riseEnd - riseStart)));
    if (t <= fallStart)
        return 1;
    return static_cast<float>(0.5 + 0.5 * std::cos(pi * (t - fallStart) / (fallEnd - fallStart)));
}

double midiFrequency(int note) { return 440.0 * std::pow(2.0, (note - 69) / 12.0); }

void addStruck(Samples &out, int rate, double start, double frequency, double gain,
               double attack, const std::vector<Partial> &partials)
{
    const std::size_t first = clampedIndex(start, rate, out.size());
    const std::size_t attackEnd = first + sampleCount(attack, rate);
    for (const Partial &p : partials) {
        const double f = frequency * p.ratio;
        if (f >= usableBand * rate)
            continue;
        const std::size_t last = clampedIndex(start + attack + p.decay * decaysToSilence, rate, out.size());
        // sin(n w) by the two-term recurrence and the decay by repeated scaling:
        // no transcendental function inside the loop
        const double w = 2 * pi * f / rate;
        const double twiceCos = 2 * std::cos(w);
        const double fall = std::exp(-1.0 / (p.decay * rate));
        double previous = -std::sin(w), current = 0, level = 1;
        for (std::size_t i = first; i < last; ++i) {
            double envelope = level;
            if (i < attackEnd)
                envelope = std::sin(pi / 2 * (i - first) / (attackEnd - first));
            else
                level *= fall;
            out[i] += static_cast<float>(gain * p.level * current * envelope);
            const double next = twiceCos * current - previous;
            previous = current;
            current = next;
        }
    }
}

void addNoise(Samples &out, int rate, double start, double length, Biquad filter,
              const Envelope &envelope, double gain, Noise &noise)
{
    const std::size_t first = clampedIndex(start, rate, out.size());
    const std::size_t last = clampedIndex(start + length, rate, out.size());
    for (std::size_t i = first; i < last; ++i) {
        const double t = static_cast<double>(i - first) / rate;
        out[i] += static_cast<float>(gain * envelope(t) * filter.process(noise.next()));
    }
}

void normalise(std::vector<Samples *> channels, double peak)
{
    float largest = 0;
    for (const Samples *channel : channels)
        for (float x : *channel)
            largest = std::max(largest, std::abs(x));
    if (largest <= 0)
        return;
    const float scale = static_cast<float>(peak / largest);
    for (Samples *channel : channels)
        for (float &x : *channel)
            x *= scale;
}

void fadeEnds(Samples &samples, int rate, double fadeIn, double fadeOut)
{
    const std::size_t size = samples.size();
    const std::size_t in = std::clamp<std::size_t>(sampleCount(fadeIn, rate), 1, size);
    const std::size_t out = std::clamp<std::size_t>(sampleCount(fadeOut, rate), 1, size);
    for (std::size_t i = 0; i < in; ++i)
        samples[i] *= static_cast<float>(0.5 - 0.5 * std::cos(pi * i / in));
    for (std::size_t i = 0; i < out; ++i)
        samples[size - 1 - i] *= static_cast<float>(0.5 - 0.5 * std::cos(pi * i / out));
}

std::size_t sampleCount(double seconds, int rate)
{
    return static_cast<std::size_t>(std::lround(std::max(0.0, seconds) * rate));
}

QByteArray encodeWave(const std::vector<const Samples *> &channels, int rate)
{
    const auto channelCount = static_cast<quint16>(channels.size());
    const std::size_t frames = channels.empty() ? 0 : channels.front()->size();
    const auto dataSize = static_cast<quint32>(frames * channelCount);
    const quint32 padding = dataSize % 2;   // chunks start on even offsets

    QByteArray file;
    auto put32 = [&](quint32 v) { v = qToLittleEndian(v); file.append(reinterpret_cast<const char *>(&v), 4); };
    auto put16 = [&](quint16 v) { v = qToLittleEndian(v); file.append(reinterpret_cast<const char *>(&v), 2); };
    file.append("RIFF");
    put32(4 + 8 + 16 + 8 + dataSize + padding);
    file.append("WAVE");
    file.append("fmt ");
    put32(16);
    put16(1);                              // uncompressed PCM
    put16(channelCount);
    put32(static_cast<quint32>(rate));
    put32(static_cast<quint32>(rate) * channelCount);   // bytes per second
    put16(channelCount);                   // bytes per frame
    put16(8);                              // bits per sample
    file.append("data");
    put32(dataSize);
    for (std::size_t i = 0; i < frames; ++i) {
        for (const Samples *channel : channels) {
            const float x = std::clamp((*channel)[i], -1.0f, 1.0f);
            file.append(static_cast<char>(std::lround(128 + 127 * x)));
        }
    }
    if (padding)
        file.append(static_cast<char>(128));
    return file;
}

}  // namespace WaveSynth
