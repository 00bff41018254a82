// SPDX-License-Identifier: MIT
#include "resources/Providers.h"
#include "resources/WaveSynth.h"

#include <cmath>
#include <complex>
#include <numbers>

using namespace WaveSynth;

namespace {

constexpr double twoPi = 2 * std::numbers::pi;
constexpr double peakLevel = 0.708;   // -3 dBFS

enum Note {
    G2 = 43, C3 = 48, G3 = 55, C4 = 60, E4 = 64, G4 = 67, A4 = 69, B4 = 71,
    C5 = 72, D5 = 74, E5 = 76, F5 = 77, G5 = 79, A5 = 81, B5 = 83, C6 = 84, E6 = 88
};

// ---- card snaps -----------------------------------------------------------

// A card hitting the table: a short bright crack, a softer papery rustle and a
// little pitched knock of the table underneath.
struct Snap {
    double at;
    double gain;
    double crackHz;
    double paperHz;
    double bodyHz;
    double paperDecay = 0.016;
    double bodyLevel = 0.3;
};

void addSnap(Samples &out, int rate, const Snap &s, Noise &noise)
{
    addNoise(out, rate, s.at, 0.04, Biquad::bandPass(s.crackHz, 1.1, rate),
             [](double t) { return attackDecay(t, 0.0007, 0.0035); }, s.gain, noise);
    addNoise(out, rate, s.at, 0.15, Biquad::bandPass(s.paperHz, 0.8, rate),
             [&](double t) { return attackDecay(t, 0.0012, s.paperDecay); }, 0.55 * s.gain, noise);
    addStruck(out, rate, s.at, s.bodyHz, s.bodyLevel * s.gain, 0.0015, {{1, 1, 0.022}, {2.3, 0.3, 0.01}});
}

// A quiet swish rising in pitch: overlapping noise bands one after the other.
struct Swish {
    double at;
    double length;
    double centreHz;
    double gain;
};

void addSwish(Samples &out, int rate, const Swish &s, Noise &noise)
{
    addNoise(out, rate, s.at, s.length, Biquad::bandPass(s.centreHz, 1.4, rate),
             [&](double t) { return hump(t, s.length); }, s.gain, noise);
}

Samples deal(int rate, std::size_t count)
{
    Samples out(count);
    Noise noise(0x0DEA1);
    addSwish(out, rate, {0.002, 0.03, 1900, 0.12}, noise);
    addSnap(out, rate, {0.022, 1.0, 3000, 1400, 190}, noise);
    addSnap(out, rate, {0.078, 0.3, 2500, 1100, 160}, noise);   // the card settles
    return out;
}

Samples stock(int rate, std::size_t count)
{
    Samples out(count);
    Noise noise(0x57C0C);
    addSnap(out, rate, {0.006, 0.55, 2200, 900, 150}, noise);    // lifted from the stock
    addSwish(out, rate, {0.02, 0.07, 1600, 0.1}, noise);         // turned over in the air
    addSnap(out, rate, {0.088, 1.0, 3200, 1500, 210}, noise);    // lands face up
    return out;
}

Samples autoplay(int rate, std::size_t count)
{
    Samples out(count);
    Noise noise(0xA7091);
    for (const Swish &s : {Swish{0.004, 0.045, 1500, 0.10}, Swish{0.03, 0.045, 2300, 0.16},
                           Swish{0.056, 0.045, 3400, 0.22}})
        addSwish(out, rate, s, noise);
    addSnap(out, rate, {0.094, 1.0, 4300, 2100, 240, 0.012}, noise);
    return out;
}

// A riffle: ever faster small snaps as the halves interleave, then the squared deck.
Samples shuffle(int rate, std::size_t count)
{
    Samples out(count);
    Noise noise(0x5F1E);
    const double riffleEnd = 0.56;
    double interval = 0.032;
    for (double t = 0.015; t < riffleEnd; t += interval, interval = std::max(0.0085, interval * 0.93)) {
        const double swell = 0.55 + 0.45 * std::sin(std::numbers::pi * t / riffleEnd);
        addSnap(out, rate, {t, swell * noise.between(0.4, 0.7), noise.between(2600, 4200),
                            noise.between(1200, 1800), noise.between(260, 340), 0.006, 0.08}, noise);
    }
    addNoise(out, rate, 0.61, 0.17, Biquad::bandPass(700, 0.6, rate),
             [](double t) { return attackDecay(t, 0.003, 0.03); }, 1.0, noise);
    addStruck(out, rate, 0.61, 110, 0.45, 0.003, {{1, 1, 0.045}, {2.1, 0.3, 0.02}});
    addSnap(out, rate, {0.675, 0.35, 2400, 1000, 150}, noise);
    return out;
}

// ---- soft undo "whup" -----------------------------------------------------

Samples undo(int rate, std::size_t count)
{
    Samples out(count);
    Noise noise(0x0DD0);
    const double length = 0.08;
    double phase = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const double t = static_cast<double>(i) / rate;
        const double frequency = 170 + 230 * std::exp(-t / 0.025);   // a falling "whup"
        phase += twoPi * frequency / rate;
        out[i] = hump(t - 0.004, length) * static_cast<float>(std::sin(phase) + 0.2 * std::sin(2 * phase));
    }
    addNoise(out, rate, 0.004, length, Biquad::lowPass(900, 0.7, rate),
             [&](double t) { return hump(t, length / 2); }, 0.3, noise);
    return out;
}

// ---- bells and mallets ----------------------------------------------------

const std::vector<Partial> bell = {
    {1.0, 1.0, 0.75}, {2.0, 0.32, 0.42}, {2.76, 0.12, 0.2}, {4.07, 0.08, 0.14}, {5.4, 0.04, 0.08}};
const std::vector<Partial> marimba = {{1.0, 1.0, 0.26}, {3.93, 0.3, 0.06}, {9.2, 0.07, 0.02}};

struct PannedNote {
    double at;
    int note;
    double pan;    // -1 left .. +1 right
    double gain;
};

// A rising bell arpeggio that rings out, each bell a little further to the right.
std::vector<Samples> chime(int rate, std::size_t count)
{
    const PannedNote arpeggio[] = {
        {0.010, C5, -0.45, 0.8}, {0.125, E5, -0.2, 0.75}, {0.240, G5, 0.05, 0.7},
        {0.355, C6, 0.3, 0.7},   {0.560, E6, 0.45, 0.45}, {0.560, C5, -0.3, 0.35}};
    Samples left(count), right(count);
    for (const PannedNote &n : arpeggio) {
        const double angle = (n.pan + 1) * std::numbers::pi / 4;   // constant-power panning
        addStruck(left, rate, n.at, midiFrequency(n.note), n.gain * std::cos(angle), 0.002, bell);
        addStruck(right, rate, n.at + 0.0015 * (n.pan + 1), midiFrequency(n.note), n.gain * std::sin(angle), 0.002, bell);
    }
    return {left, right};
}

Samples restart(int rate, std::size_t count)
{
    const PannedNote phrase[] = {
        {0.01, G4, 0, 0.8}, {0.13, C5, 0, 0.8}, {0.25, E5, 0, 0.85},
        {0.37, G5, 0, 0.9}, {0.55, E5, 0, 0.6}, {0.67, C6, 0, 1.0}};
    Samples out(count);
    for (const PannedNote &n : phrase)
        addStruck(out, rate, n.at, midiFrequency(n.note), n.gain, 0.0025, marimba);
    return out;
}

// ---- the jester -----------------------------------------------------------

// One "ha": a breathy "h" turning into a voiced "a" whose pitch sinks, shaped by
// three formant resonators.
struct Ha {
    double at;
    double pitch;
    double length;
    double fall;    // share of the pitch lost by the end
    double gain = 1;
};

void addHa(Samples &out, int rate, const Ha &ha, Noise &noise)
{
    Resonator formants[] = {{780, 110, rate}, {1250, 130, rate}, {2650, 200, rate}};
    const std::size_t first = sampleCount(ha.at, rate);
    const std::size_t length = sampleCount(ha.length, rate);
    double phase = 0;
    float previous = 0;
    for (std::size_t i = 0; i < length && first + i < out.size(); ++i) {
        const double t = static_cast<double>(i) / rate;
        const double pitch = ha.pitch * (1 - ha.fall * t / ha.length);
        phase += twoPi * pitch / rate;
        const double voiced = harmonicSum(std::sin(phase), std::cos(phase), static_cast<int>(4500 / pitch), [](int k) { return 1.0 / k; });
        const float voice = trapezoid(t, 0.025, 0.055, ha.length * 0.5, ha.length);
        const float breath = trapezoid(t, 0, 0.012, 0.03, 0.07);
        float x = static_cast<float>(voiced) * voice + noise.next() * (0.6f * breath + 0.08f * voice);
        for (Resonator &f : formants)
            x = f.process(x);
        out[first + i] += static_cast<float>(ha.gain) * (x - 0.9f * previous);   // radiated from the lips
        previous = x;
    }
}

const std::vector<Partial> jingleBell = {{1.0, 1.0, 0.09}, {1.52, 0.5, 0.05}, {2.17, 0.35, 0.035}, {2.93, 0.2, 0.02}};

// A shake of the cap: a handful of little bells struck in quick irregular order.
struct Jingle {
    double at;
    double length;
    int strikes;
    double gain;
};

void addJingle(Samples &out, int rate, const Jingle &j, Noise &noise)
{
    const double tones[] = {2350, 2890, 3320, 3960};
    for (int s = 0; s < j.strikes; ++s) {
        const double at = j.at + j.length * s / j.strikes + noise.between(0, 0.012);
        const double fade = 1.0 - 0.6 * s / j.strikes;
        const double tone = tones[static_cast<int>(noise.between(0, 3.99f))];
        addStruck(out, rate, at, tone, j.gain * fade * noise.between(0.6, 1), 0.0008, jingleBell);
        addNoise(out, rate, at, 0.02, Biquad::highPass(5000, 0.7, rate),
                 [](double t) { return attackDecay(t, 0.0005, 0.003); }, 0.3 * j.gain * fade, noise);
    }
}

Samples jester(int rate, std::size_t count)
{
    Samples out(count);
    Noise noise(0x1E57E4);
    const Ha laugh[] = {
        {0.05, 420, 0.15, 0.12}, {0.26, 400, 0.15, 0.12}, {0.47, 375, 0.15, 0.13},
        {0.68, 350, 0.15, 0.13}, {0.89, 325, 0.15, 0.14}, {1.10, 300, 0.2, 0.18},
        {2.05, 390, 0.14, 0.12}, {2.25, 355, 0.14, 0.13}, {2.45, 320, 0.14, 0.14},
        {2.66, 290, 0.42, 0.32, 0.7}};
    for (const Ha &ha : laugh) {
        addHa(out, rate, ha, noise);
        addJingle(out, rate, {ha.at + 0.02, 0.05, 2, 0.25}, noise);
    }
    for (const Jingle &j : {Jingle{1.40, 0.55, 14, 0.6}, Jingle{3.20, 0.9, 20, 0.6}, Jingle{4.15, 0.3, 5, 0.3}})
        addJingle(out, rate, j, noise);
    return out;
}

// ---- the fanfare ----------------------------------------------------------

// A brass voice: the louder it plays, the more its upper harmonics come through;
// each note scoops up into pitch and long notes get a little vibrato.
struct Brass {
    double at;
    double length;
    std::vector<int> notes;
    double gain;
    double decay = 0;    // 0: hold, else the sustain fades with this time constant
};

// All notes of a row share one envelope; each voice turns its own phasor, whose
// step follows the pitch bend every few samples.
void addBrass(Samples &out, int rate, const Brass &b)
{
    static const double harmonics[] = {1, 0.8, 0.65, 0.5, 0.38, 0.28, 0.2, 0.14, 0.1, 0.07};
    struct Voice {
        double frequency;
        std::complex<double> phasor{1, 0}, step{1, 0};
    };
    const double release = 0.09;
    const std::size_t first = sampleCount(b.at, rate);
    const std::size_t length = sampleCount(b.length + release, rate);
    std::vector<Voice> voices;
    for (int note : b.notes)
        voices.push_back({midiFrequency(note)});
    for (std::size_t i = 0; i < length && first + i < out.size(); ++i) {
        const double t = static_cast<double>(i) / rate;
        const double swell = 1 + 0.12 * attackDecay(t - 0.04, 0.02, 0.08);
        const double sustain = b.decay > 0 ? std::exp(-std::max(0.0, t - 0.15) / b.decay) : 1.0;
        const double level = trapezoid(t, 0, 0.045, b.length, b.length + release) * swell * sustain;
        const double brightness = std::pow(level, 0.35);   // the n-th harmonic grows as level^(1 + 0.35 (n - 1))
        const bool steer = i % 32 == 0;
        const double vibrato = 0.004 * std::sin(twoPi * 5.3 * t) * std::clamp((t - 0.25) / 0.3, 0.0, 1.0);
        const double bend = 1 - 0.02 * std::exp(-t / 0.025) + vibrato;
        double x = 0;
        for (Voice &v : voices) {
            if (steer) {
                v.step = std::polar(1.0, twoPi * v.frequency * bend / rate);
                v.phasor /= std::abs(v.phasor);
            }
            v.phasor *= v.step;
            const int count = std::min(10, static_cast<int>(0.45 * rate / v.frequency));
            double weight = level;
            x += harmonicSum(v.phasor.imag(), v.phasor.real(), count, [&](int n) {
                const double h = harmonics[n - 1] * weight;
                weight *= brightness;
                return h;
            });
        }
        out[first + i] += static_cast<float>(b.gain * x);
    }
}

void addTimpani(Samples &out, int rate, double at, int note, double gain, Noise &noise)
{
    addStruck(out, rate, at, midiFrequency(note), gain, 0.004,
              {{1, 1, 0.5}, {1.5, 0.45, 0.3}, {1.99, 0.3, 0.2}, {2.44, 0.15, 0.12}});
    addNoise(out, rate, at, 0.1, Biquad::lowPass(500, 0.7, rate),
             [](double t) { return attackDecay(t, 0.002, 0.02); }, 0.5 * gain, noise);
}

Samples win(int rate, std::size_t count)
{
    const Brass fanfare[] = {
        {0.05, 0.12, {G4, E4}, 0.5},       {0.22, 0.12, {G4, E4}, 0.5},
        {0.39, 0.12, {G4, E4}, 0.5},       {0.56, 0.58, {C5, G4, E4}, 0.45},
        {1.22, 0.2, {G4, E4}, 0.5},        {1.46, 0.2, {C5, G4}, 0.5},
        {1.70, 0.2, {E5, C5}, 0.5},        {1.94, 0.7, {G5, E5, C5}, 0.45},
        {2.74, 0.15, {E5, C5}, 0.45},      {2.93, 0.15, {F5, D5}, 0.45},
        {3.12, 0.15, {G5, E5}, 0.45},      {3.31, 0.15, {A5, F5}, 0.45},
        {3.50, 0.15, {B5, G5}, 0.45},
        {3.70, 4.3, {C3, G3, C4, E4, G4, C5, E5, C6}, 0.3, 2.2}};
    Samples out(count);
    Noise noise(0xFA4FA4E);
    for (const Brass &b : fanfare)
        addBrass(out, rate, b);
    addTimpani(out, rate, 0.56, C3, 0.5, noise);
    addTimpani(out, rate, 1.94, G2, 0.5, noise);
    addTimpani(out, rate, 3.70, C3, 0.7, noise);
    return out;
}

// ---- the table of sounds --------------------------------------------------

struct Recipe {
    QString name;
    int rate;
    double seconds;
    double fadeOut;
    std::vector<Samples> (*compose)(int rate, std::size_t count);
};

template <Samples (*mono)(int, std::size_t)>
std::vector<Samples> single(int rate, std::size_t count) { return {mono(rate, count)}; }

const Recipe recipes[] = {
    {QStringLiteral("AUTOPLAY"), 22254, 0.219, 0.03, single<autoplay>},
    {QStringLiteral("DEAL"), 22050, 0.207, 0.03, single<deal>},
    {QStringLiteral("JESTER"), 22050, 4.926, 0.5, single<jester>},
    {QStringLiteral("OPEN"), 22050, 2.171, 0.4, chime},
    {QStringLiteral("RESTART"), 22050, 1.147, 0.15, single<restart>},
    {QStringLiteral("SHUFFLE"), 22050, 0.781, 0.05, single<shuffle>},
    {QStringLiteral("STOCK"), 22050, 0.234, 0.03, single<stock>},
    {QStringLiteral("UNDO"), 11025, 0.090, 0.005, single<undo>},
    {QStringLiteral("WIN_SND"), 22050, 8.538, 1.5, single<win>},
};

QByteArray renderRecipe(const Recipe &recipe)
{
    std::vector<Samples> channels = recipe.compose(recipe.rate, sampleCount(recipe.seconds, recipe.rate));
    std::vector<Samples *> all;
    for (Samples &channel : channels)
        all.push_back(&channel);
    normalise(all, peakLevel);
    std::vector<const Samples *> finished;
    for (Samples &channel : channels) {
        fadeEnds(channel, recipe.rate, 0.002, recipe.fadeOut);
        finished.push_back(&channel);
    }
    return encodeWave(finished, recipe.rate);
}

}  // namespace

namespace Waves {

QStringList names()
{
    QStringList all;
    for (const Recipe &recipe : recipes)
        all << recipe.name;
    return all;
}

std::optional<QByteArray> render(const QString &upperName)
{
    for (const Recipe &recipe : recipes)
        if (recipe.name == upperName)
            return renderRecipe(recipe);
    return std::nullopt;
}

}  // namespace Waves
