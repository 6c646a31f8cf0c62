#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace music {

inline constexpr int middleC = 60;

// One cell of a pattern, in tracker terms. `note` is a MIDI note number
// (60 = middle C), 0 for none; the writers translate it into their own format.
struct Cell {
    int note = 0;
    int instrument = 0;     // 1-based, 0 for none
    int volume = -1;        // 0..64, -1 for none
    int effect = 0;
    int param = 0;
    bool noteOff = false;
};

struct Pattern {
    int rows = 64;
    int channels = 0;
    std::vector<Cell> cells;

    Pattern(int rowCount, int channelCount)
        : rows(rowCount), channels(channelCount), cells(static_cast<std::size_t>(rowCount * channelCount)) {}

    Cell& at(int row, int channel) { return cells[static_cast<std::size_t>(row * channels + channel)]; }
    const Cell& at(int row, int channel) const { return cells[static_cast<std::size_t>(row * channels + channel)]; }
};

struct EnvelopePoint {
    int tick;
    int value;              // 0..64
};

// A synthesized instrument with one sample. Played at `sampleRate` the sample
// sounds at `pitchHz`; the writers derive their transpose and finetune from
// the two, so a looped cycle may have any whole length. Drums use middle C's
// frequency so that note 60 plays them as they were made.
struct Instrument {
    std::string name;
    std::vector<std::int16_t> pcm;
    double sampleRate = 33452.0;
    double pitchHz = 261.6256;
    std::size_t loopStart = 0;
    std::size_t loopLength = 0;       // 0: no loop
    int volume = 64;
    int panning = 128;
    std::vector<EnvelopePoint> volumeEnvelope;   // empty: none
    int sustainPoint = -1;
    int fadeout = 0;
    int vibratoDepth = 0;
    int vibratoRate = 0;
    int vibratoSweep = 0;
};

struct TrackerModule {
    std::string name;
    int channels = 0;
    int speed = 6;           // ticks per row
    int tempo = 125;         // beats per minute as trackers count them
    std::vector<int> orders;
    std::vector<Pattern> patterns;
    std::vector<Instrument> instruments;
};

} // namespace music
