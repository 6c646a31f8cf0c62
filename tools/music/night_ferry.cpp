#include "tools/music/night_ferry.h"

#include "tools/music/melody.h"
#include "tools/music/stream_synth.h"
#include "tools/music/waveforms.h"

#include <array>
#include <cmath>

namespace music {
namespace {

constexpr double beat = 60.0 / 90.0;
constexpr double bar = 4.0 * beat;
constexpr int bars = 28;
constexpr double tail = 3.0;

struct StreamChord {
    int bass;
    std::array<const char*, 4> tones;
};

// i - VI - III - VII in D minor, with sevenths and a ninth for colour.
const std::array<StreamChord, 4> progression = {{
    {38, {"D3", "F3", "A3", "C4"}},
    {34, {"Bb2", "D3", "F3", "A3"}},
    {41, {"F3", "A3", "C4", "E4"}},
    {36, {"C3", "E3", "G3", "D4"}},
}};

constexpr const char* leadLine =
    "A4:2 D5:2 E5:2 F5:2 | F5:3 E5:1 D5:4 | C5:2 F5:2 A5:2 G5:2 | E5:6 r:2 | "
    "A5:3 G5:1 F5:2 E5:2 | D5:2 F5:2 Bb5:4 | A5:2 G5:2 F5:2 E5:2 | D5:6 r:2";

double warmShape(int h) { return 1.0 / h * std::exp(-h / 6.0); }
double pluckShape(int h) { return (h % 2 ? 1.0 : 0.6) / h * std::exp(-h / 10.0); }
double roundShape(int h) { return h == 1 ? 1.0 : (h % 2 ? 0.25 / h : 0.0); }
double subShape(int h) { return h == 1 ? 1.0 : 0.15 / h; }

struct Sounds {
    Wavetable padTable{24, warmShape};
    Wavetable pluckTable{14, pluckShape};
    Wavetable leadTable{9, roundShape};
    Wavetable bassTable{6, subShape};
    std::vector<float> kick = kickDrum(streamSampleRate);
    std::vector<float> snare = snareDrum(streamSampleRate);
    std::vector<float> shaker = hiHat(streamSampleRate, 0.03, 0x5BA4);
};

void addPad(StereoMix& mix, const Sounds& sounds, int barIndex, const StreamChord& chord)
{
    ToneSettings pad{&sounds.padTable, {0.9, 1.5, 0.7, 1.2}, 9.0};
    double start = barIndex * bar;
    for (std::size_t i = 0; i < chord.tones.size(); ++i) {
        pad.pan = -0.45 + 0.3 * static_cast<double>(i);
        addTone(mix, start, bar, noteHz(noteNumber(chord.tones[i])), 0.16, pad);
    }
}

void addArpeggio(StereoMix& mix, const Sounds& sounds, int barIndex, const StreamChord& chord, double gain)
{
    static constexpr std::array<int, 8> order = {0, 1, 2, 3, 2, 1, 3, 2};
    ToneSettings pluck{&sounds.pluckTable, {0.004, 0.18, 0.0, 0.2}};
    pluck.pan = 0.25;
    pluck.send = 0.55;
    for (std::size_t step = 0; step < order.size(); ++step) {
        int note = noteNumber(chord.tones[static_cast<std::size_t>(order[step])]) + 24;
        addTone(mix, barIndex * bar + static_cast<double>(step) * beat / 2.0, beat / 2.0, noteHz(note), gain, pluck);
    }
}

void addBass(StereoMix& mix, const Sounds& sounds, int barIndex, const StreamChord& chord)
{
    ToneSettings bass{&sounds.bassTable, {0.01, 0.4, 0.6, 0.15}};
    double start = barIndex * bar;
    addTone(mix, start, 1.4 * beat, noteHz(chord.bass), 0.3, bass);
    addTone(mix, start + 1.5 * beat, 0.4 * beat, noteHz(chord.bass + 12), 0.2, bass);
    addTone(mix, start + 2.5 * beat, 1.3 * beat, noteHz(chord.bass), 0.27, bass);
}

void addDrums(StereoMix& mix, const Sounds& sounds, int barIndex)
{
    double start = barIndex * bar;
    addSound(mix, start, sounds.kick, 0.5, 0.0, 0.0);
    addSound(mix, start + 2.5 * beat, sounds.kick, 0.35, 0.0, 0.0);
    addSound(mix, start + beat, sounds.snare, 0.4, 0.05, 0.15);
    addSound(mix, start + 3.0 * beat, sounds.snare, 0.4, 0.05, 0.15);
    for (int step = 0; step < 16; ++step)
        addSound(mix, start + step * beat / 4.0, sounds.shaker, step % 4 == 2 ? 0.22 : 0.12, -0.35, 0.0);
}

void addLead(StereoMix& mix, const Sounds& sounds, int firstBar)
{
    ToneSettings lead{&sounds.leadTable, {0.03, 0.6, 0.6, 0.35}, 0.0, 18.0, 5.2, -0.1, 0.35};
    double eighth = beat / 2.0;
    for (const LineNote& note : parseLine(leadLine))
        if (note.note)
            addTone(mix, firstBar * bar + note.row * eighth, note.length * eighth * 0.95, noteHz(note.note), 0.2, lead);
}

} // namespace

std::vector<float> nightFerry()
{
    Sounds sounds;
    StereoMix mix(bars * bar + tail, streamSampleRate);
    for (int b = 0; b < bars; ++b) {
        const StreamChord& chord = progression[static_cast<std::size_t>(b % 4)];
        bool groove = b >= 4 && b < 24;
        addPad(mix, sounds, b, chord);
        addArpeggio(mix, sounds, b, chord, groove ? 0.14 : 0.18);
        if (b >= 2 && b < 26)
            addBass(mix, sounds, b, chord);
        if (groove)
            addDrums(mix, sounds, b);
    }
    addLead(mix, sounds, 8);
    addLead(mix, sounds, 16);
    mix.applyPingPongDelay(0.75 * beat, 0.42, 0.5);
    mix.fadeOut(2.0 * bar);
    mix.normalise(0.89);
    return mix.interleaved();
}

} // namespace music
