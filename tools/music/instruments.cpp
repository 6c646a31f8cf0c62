#include "tools/music/instruments.h"

#include "tools/music/waveforms.h"

#include <cmath>

namespace music {
namespace {

constexpr double middleCHz = 261.6256;

Instrument oneShot(const char* name, const std::vector<float>& wave, double sampleRate, int volume)
{
    Instrument instrument;
    instrument.name = name;
    instrument.pcm = toPcm16(wave);
    instrument.sampleRate = sampleRate;
    instrument.pitchHz = middleCHz;
    instrument.volume = volume;
    return instrument;
}

Instrument loopedTone(const char* name, const std::vector<float>& loop, double sampleRate, double pitchHz, int volume)
{
    Instrument instrument;
    instrument.name = name;
    instrument.pcm = toPcm16(loop);
    instrument.sampleRate = sampleRate;
    instrument.pitchHz = pitchHz;
    instrument.loopLength = loop.size();
    instrument.volume = volume;
    return instrument;
}

// Keeps every harmonic of the highest note an instrument plays below the
// point where the player's resampling would fold it back as noise.
int harmonicsBelow(double ceilingHz, double highestNoteHz) { return static_cast<int>(ceilingHz / highestNoteHz); }

} // namespace

Instrument kickInstrument(double sampleRate) { return oneShot("kick", kickDrum(sampleRate), sampleRate, 64); }
Instrument snareInstrument(double sampleRate) { return oneShot("snare", snareDrum(sampleRate), sampleRate, 50); }
Instrument closedHatInstrument(double sampleRate) { return oneShot("closed hat", hiHat(sampleRate, 0.018, 0x4A7), sampleRate, 26); }
Instrument openHatInstrument(double sampleRate) { return oneShot("open hat", hiHat(sampleRate, 0.09, 0x0EA7), sampleRate, 22); }
Instrument crashInstrument(double sampleRate) { return oneShot("crash", crashCymbal(sampleRate), sampleRate, 28); }
Instrument bellInstrument(double sampleRate) { return oneShot("bell", bellTone(sampleRate, middleCHz, 1.1), sampleRate, 34); }

Instrument bassInstrument(double sampleRate, int cycleLength)
{
    double pitch = sampleRate / cycleLength;
    // A saw with its top rounded off, plus a stronger fundamental for weight.
    auto shape = [](int h) { return (h == 1 ? 1.6 : 1.0) / h * std::exp(-h / 7.0); };
    int harmonics = std::min(cycleLength / 2 - 1, 28);
    Instrument bass = loopedTone("bass", harmonicLoop(cycleLength, {1}, harmonics, shape, 0xBA55), sampleRate, pitch, 52);
    bass.volumeEnvelope = {{0, 64}, {5, 48}, {40, 36}};
    bass.sustainPoint = 2;
    bass.fadeout = 3000;
    return bass;
}

Instrument leadInstrument(double sampleRate, int cycleLength)
{
    double pitch = sampleRate / cycleLength;
    // Mostly odd harmonics: a hollow, square-like voice that sits above the pad.
    auto shape = [](int h) { return (h % 2 ? 1.0 : 0.3) / h; };
    int harmonics = std::min(cycleLength / 2 - 1, harmonicsBelow(15000.0, 1050.0));
    Instrument lead = loopedTone("lead", harmonicLoop(cycleLength, {1}, harmonics, shape, 0x1EAD), sampleRate, pitch, 40);
    lead.volumeEnvelope = {{0, 0}, {2, 64}, {16, 48}};
    lead.sustainPoint = 2;
    lead.fadeout = 2000;
    lead.vibratoDepth = 3;
    lead.vibratoRate = 24;
    lead.vibratoSweep = 48;
    lead.panning = 150;
    return lead;
}

Instrument padInstrument(double sampleRate, int cycleLength)
{
    // 128 cycles of three voices, one cycle apart: about 13 cents of detune
    // that beats twice a second at middle C.
    constexpr int cycles = 128;
    std::size_t length = static_cast<std::size_t>(cycleLength) * cycles;
    double pitch = sampleRate / cycleLength;
    auto shape = [](int h) { return 1.0 / h * std::exp(-h / 9.0); };
    int harmonics = harmonicsBelow(15000.0, 400.0);
    Instrument pad = loopedTone("pad", harmonicLoop(length, {cycles - 1, cycles, cycles + 1}, harmonics, shape, 0xFAD),
                                sampleRate, pitch, 40);
    pad.volumeEnvelope = {{0, 0}, {24, 64}, {60, 50}};
    pad.sustainPoint = 2;
    pad.fadeout = 900;
    return pad;
}

} // namespace music
