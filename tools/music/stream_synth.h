#pragma once

#include <cstddef>
#include <vector>

namespace music {

// A small sequencer-free synthesizer for the rendered stream: notes are
// mixed straight into a stereo buffer, with a ping-pong delay as the only
// effect. Everything is computed in doubles from fixed inputs, so the same
// notes always give the same samples.
class StereoMix {
public:
    StereoMix(double seconds, double sampleRate);

    double sampleRate() const { return rate_; }
    std::size_t frames() const { return left_.size(); }

    void add(std::size_t frame, double left, double right);
    void addSend(std::size_t frame, double value);

    // Adds the delay line's output, fed by everything sent to it.
    void applyPingPongDelay(double delaySeconds, double feedback, double wet);

    // Lowers the last `seconds` to silence and scales the whole to `peak`.
    void fadeOut(double seconds);
    void normalise(double peak);

    // Interleaved left/right samples.
    std::vector<float> interleaved() const;

private:
    double rate_;
    std::vector<double> left_, right_, send_;
};

// One cycle of a tone colour, read with linear interpolation.
class Wavetable {
public:
    Wavetable(int harmonics, double (*shape)(int harmonic));
    double at(double phase) const;   // phase in cycles

private:
    std::vector<float> cycle_;
};

struct Envelope {
    double attack, decay, sustain, release;    // seconds, seconds, level, seconds
    double at(double t, double held) const;     // gain at t seconds after the start of a note held for `held`
    double length(double held) const { return held + release; }
};

struct ToneSettings {
    const Wavetable* table;
    Envelope envelope;
    double detuneCents = 0.0;     // a second voice this far above and below
    double vibratoCents = 0.0;
    double vibratoHz = 5.0;
    double pan = 0.0;             // -1 left .. +1 right
    double send = 0.0;            // share fed to the delay
};

void addTone(StereoMix& mix, double start, double held, double hz, double gain, const ToneSettings& tone);
void addSound(StereoMix& mix, double start, const std::vector<float>& sound, double gain, double pan, double send);

double noteHz(int midiNote);

} // namespace music
