#include "tools/music/stream_synth.h"

#include "tools/music/waveforms.h"

#include <algorithm>
#include <cmath>

namespace music {
namespace {

constexpr double twoPi = 6.283185307179586;
constexpr std::size_t tableSize = 2048;

// Equal-power panning keeps a sound equally loud wherever it is placed.
void panGains(double pan, double& left, double& right)
{
    double angle = (pan + 1.0) * twoPi / 8.0;
    left = std::cos(angle);
    right = std::sin(angle);
}

} // namespace

StereoMix::StereoMix(double seconds, double sampleRate)
    : rate_(sampleRate), left_(static_cast<std::size_t>(seconds * sampleRate)), right_(left_.size()), send_(left_.size())
{
}

void StereoMix::add(std::size_t frame, double left, double right)
{
    if (frame >= left_.size())
        return;
    left_[frame] += left;
    right_[frame] += right;
}

void StereoMix::addSend(std::size_t frame, double value)
{
    if (frame < send_.size())
        send_[frame] += value;
}

void StereoMix::applyPingPongDelay(double delaySeconds, double feedback, double wet)
{
    std::size_t delay = static_cast<std::size_t>(delaySeconds * rate_);
    std::vector<double> tapLeft(left_.size()), tapRight(left_.size());
    for (std::size_t n = delay; n < left_.size(); ++n) {
        // Each repeat crosses to the other side.
        tapLeft[n] = send_[n - delay] + feedback * tapRight[n - delay];
        tapRight[n] = feedback * tapLeft[n - delay];
    }
    for (std::size_t n = 0; n < left_.size(); ++n) {
        left_[n] += wet * tapLeft[n];
        right_[n] += wet * tapRight[n];
    }
}

void StereoMix::fadeOut(double seconds)
{
    std::size_t length = std::min(left_.size(), static_cast<std::size_t>(seconds * rate_));
    std::size_t start = left_.size() - length;
    for (std::size_t n = start; n < left_.size(); ++n) {
        double gain = static_cast<double>(left_.size() - n) / static_cast<double>(length);
        left_[n] *= gain * gain;
        right_[n] *= gain * gain;
    }
}

void StereoMix::normalise(double peak)
{
    double loudest = 0.0;
    for (std::size_t n = 0; n < left_.size(); ++n)
        loudest = std::max({loudest, std::fabs(left_[n]), std::fabs(right_[n])});
    if (loudest == 0.0)
        return;
    double scale = peak / loudest;
    for (std::size_t n = 0; n < left_.size(); ++n) {
        left_[n] *= scale;
        right_[n] *= scale;
    }
}

std::vector<float> StereoMix::interleaved() const
{
    std::vector<float> out(left_.size() * 2);
    for (std::size_t n = 0; n < left_.size(); ++n) {
        out[2 * n] = static_cast<float>(left_[n]);
        out[2 * n + 1] = static_cast<float>(right_[n]);
    }
    return out;
}

Wavetable::Wavetable(int harmonics, double (*shape)(int harmonic))
    : cycle_(harmonicLoop(tableSize, {1}, harmonics, shape, 0x7AB1E))
{
    cycle_.push_back(cycle_.front());
}

double Wavetable::at(double phase) const
{
    double position = (phase - std::floor(phase)) * tableSize;
    std::size_t index = static_cast<std::size_t>(position);
    double fraction = position - static_cast<double>(index);
    return cycle_[index] + fraction * (cycle_[index + 1] - cycle_[index]);
}

double Envelope::at(double t, double held) const
{
    auto beforeRelease = [this](double time) {
        if (time < attack)
            return time / attack;
        return sustain + (1.0 - sustain) * std::exp(-(time - attack) / decay);
    };
    if (t < held)
        return beforeRelease(t);
    return beforeRelease(held) * std::exp(-5.0 * (t - held) / release);
}

void addTone(StereoMix& mix, double start, double held, double hz, double gain, const ToneSettings& tone)
{
    double left, right;
    panGains(tone.pan, left, right);
    double rate = mix.sampleRate();
    std::size_t first = static_cast<std::size_t>(start * rate);
    std::size_t count = static_cast<std::size_t>(tone.envelope.length(held) * rate);
    double detune = std::pow(2.0, tone.detuneCents / 1200.0);
    double phaseUp = 0.0, phaseDown = 0.37;
    for (std::size_t i = 0; i < count; ++i) {
        double t = static_cast<double>(i) / rate;
        double vibrato = std::pow(2.0, tone.vibratoCents / 1200.0 * std::sin(twoPi * tone.vibratoHz * t) * std::min(1.0, t / 0.4));
        double step = hz * vibrato / rate;
        phaseUp += step * detune;
        phaseDown += step / detune;
        double value = tone.detuneCents > 0.0 ? 0.5 * (tone.table->at(phaseUp) + tone.table->at(phaseDown))
                                              : tone.table->at(phaseUp);
        value *= gain * tone.envelope.at(t, held);
        mix.add(first + i, value * left, value * right);
        mix.addSend(first + i, value * tone.send);
    }
}

void addSound(StereoMix& mix, double start, const std::vector<float>& sound, double gain, double pan, double send)
{
    double left, right;
    panGains(pan, left, right);
    std::size_t first = static_cast<std::size_t>(start * mix.sampleRate());
    for (std::size_t i = 0; i < sound.size(); ++i) {
        double value = gain * sound[i];
        mix.add(first + i, value * left, value * right);
        mix.addSend(first + i, value * send);
    }
}

double noteHz(int midiNote) { return 440.0 * std::pow(2.0, (midiNote - 69) / 12.0); }

} // namespace music
