#include "tools/music/waveforms.h"

#include "tools/music/random.h"

#include <algorithm>
#include <cmath>

namespace music {
namespace {

constexpr double twoPi = 6.283185307179586;

double decay(double t, double seconds) { return std::exp(-t / seconds); }

std::size_t samplesFor(double sampleRate, double seconds)
{
    return static_cast<std::size_t>(sampleRate * seconds);
}

// Two first-order differences remove the low end of white noise, leaving the
// hiss that cymbals are made of.
std::vector<float> highPassedNoise(std::size_t length, std::uint32_t seed)
{
    NoiseSource noise(seed);
    std::vector<float> out(length);
    float previous = 0.0f, previousDifference = 0.0f;
    for (float& sample : out) {
        float value = noise.next();
        float difference = value - previous;
        sample = 0.5f * (difference - previousDifference);
        previous = value;
        previousDifference = difference;
    }
    return out;
}

} // namespace

std::vector<float> harmonicLoop(std::size_t length, const std::vector<int>& cyclesPerVoice,
                                int harmonics, const HarmonicShape& shape, std::uint32_t phaseSeed)
{
    NoiseSource phases(phaseSeed);
    std::vector<float> out(length, 0.0f);
    for (int cycles : cyclesPerVoice) {
        for (int h = 1; h <= harmonics; ++h) {
            double amplitude = shape(h);
            double phase = twoPi * phases.next();
            double step = twoPi * h * cycles / static_cast<double>(length);
            for (std::size_t n = 0; n < length; ++n)
                out[n] += static_cast<float>(amplitude * std::sin(step * static_cast<double>(n) + phase));
        }
    }
    return out;
}

std::vector<float> kickDrum(double sampleRate)
{
    std::vector<float> out(samplesFor(sampleRate, 0.42));
    NoiseSource click(0x4B1C);
    double phase = 0.0;
    for (std::size_t n = 0; n < out.size(); ++n) {
        double t = static_cast<double>(n) / sampleRate;
        double frequency = 44.0 + 120.0 * decay(t, 0.035);
        phase += twoPi * frequency / sampleRate;
        double body = std::sin(phase) * decay(t, 0.2);
        double attack = 0.35 * click.next() * decay(t, 0.002);
        out[n] = static_cast<float>(std::tanh(1.6 * (body + attack)));
    }
    return out;
}

std::vector<float> snareDrum(double sampleRate)
{
    std::vector<float> out = highPassedNoise(samplesFor(sampleRate, 0.3), 0x5A4E);
    for (std::size_t n = 0; n < out.size(); ++n) {
        double t = static_cast<double>(n) / sampleRate;
        double tone = 0.55 * std::sin(twoPi * 185.0 * t) * decay(t, 0.045)
                    + 0.25 * std::sin(twoPi * 330.0 * t) * decay(t, 0.03);
        out[n] = static_cast<float>(1.4 * out[n] * decay(t, 0.08) + tone);
    }
    return out;
}

std::vector<float> hiHat(double sampleRate, double decaySeconds, std::uint32_t seed)
{
    std::vector<float> out = highPassedNoise(samplesFor(sampleRate, decaySeconds * 4.0), seed);
    for (std::size_t n = 0; n < out.size(); ++n)
        out[n] *= static_cast<float>(decay(static_cast<double>(n) / sampleRate, decaySeconds));
    return out;
}

std::vector<float> crashCymbal(double sampleRate)
{
    std::vector<float> out = highPassedNoise(samplesFor(sampleRate, 1.6), 0xC5A5);
    for (std::size_t n = 0; n < out.size(); ++n) {
        double t = static_cast<double>(n) / sampleRate;
        double shimmer = 1.0 + 0.3 * std::sin(twoPi * 7.0 * t);
        out[n] *= static_cast<float>(shimmer * decay(t, 0.45) * std::min(1.0, t / 0.004));
    }
    return out;
}

std::vector<float> bellTone(double sampleRate, double pitchHz, double seconds)
{
    struct Partial { double ratio, amplitude, decaySeconds; };
    static constexpr Partial partials[] = {
        {1.0, 1.0, 0.9}, {2.0, 0.45, 0.5}, {3.01, 0.32, 0.3}, {4.07, 0.12, 0.18}, {6.2, 0.05, 0.1},
    };
    std::vector<float> out(samplesFor(sampleRate, seconds));
    for (std::size_t n = 0; n < out.size(); ++n) {
        double t = static_cast<double>(n) / sampleRate;
        double value = 0.0;
        for (const Partial& p : partials)
            value += p.amplitude * std::sin(twoPi * p.ratio * pitchHz * t) * decay(t, p.decaySeconds);
        double attack = std::min(1.0, t / 0.003);
        double tail = std::min(1.0, (seconds - t) / 0.05);
        out[n] = static_cast<float>(value * attack * tail);
    }
    return out;
}

std::vector<std::int16_t> toPcm16(const std::vector<float>& wave, float peak)
{
    float loudest = 0.0f;
    for (float sample : wave)
        loudest = std::max(loudest, std::fabs(sample));
    float scale = loudest > 0.0f ? peak * 32767.0f / loudest : 0.0f;
    std::vector<std::int16_t> out(wave.size());
    std::transform(wave.begin(), wave.end(), out.begin(),
                   [scale](float sample) { return static_cast<std::int16_t>(std::lround(sample * scale)); });
    return out;
}

} // namespace music
