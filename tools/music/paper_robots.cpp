#include "tools/music/paper_robots.h"

#include "tools/music/instruments.h"
#include "tools/music/melody.h"

#include <array>
#include <string_view>

namespace music {
namespace {

// Rates at which Amiga periods play these samples at their intended pitch.
constexpr double drumRate = 16574.0;
constexpr double toneRate = 8287.0;
constexpr int rowsPerBar = 16;
constexpr int barsPerSection = 4;

enum InstrumentNumber { kick = 1, snare, hat, bass, chip, lead };
enum Channel { drumChannel, bassChannel, chordChannel, leadChannel, channelCount };

enum class Drums { hatsOnly, full, ending };

struct Section {
    std::array<const char*, barsPerSection> chords;
    Drums drums;
    bool bass;
    const char* lead;
};

constexpr std::array<const char*, 4> verseChords = {"Em", "C", "G", "D"};
constexpr std::array<const char*, 4> chorusChords = {"C", "D", "Em", "Em"};
constexpr std::array<const char*, 4> endingChords = {"C", "D", "Em", "Em"};

constexpr const char* firstMelody =
    "E5:4 G5:2 B5:2 A5:4 G5:2 F#5:2 | E5:6 C5:2 E5:4 G5:4 | D5:4 B4:2 D5:2 G5:4 F#5:2 E5:2 | F#5:8 D5:4 r:4";
constexpr const char* secondMelody =
    "E5:2 F#5:2 G5:2 B5:2 A5:4 G5:4 | E5:4 C5:4 G5:4 E5:4 | D5:2 G5:2 B5:2 D5:2 A5:4 G5:4 | F#5:6 E5:2 D5:8";
constexpr const char* chorusMelody =
    "G5:6 E5:2 C5:4 E5:4 | F#5:6 D5:2 A5:4 F#5:4 | G5:4 B5:4 A5:2 G5:2 F#5:2 D5:2 | E5:12 r:4";

void hit(Pattern& pattern, int row, int instrument, int volume)
{
    placeNote(pattern, row, middleC, {drumChannel, instrument, volume});
}

void placeDrums(Pattern& pattern, Drums drums)
{
    for (int bar = 0; bar < barsPerSection; ++bar) {
        int start = bar * rowsPerBar;
        if (drums == Drums::ending && bar >= 2) {
            if (bar == 2)
                hit(pattern, start, kick, 64);
            continue;
        }
        for (int step = 2; step < rowsPerBar; step += 4)
            hit(pattern, start + step, hat, 28);
        if (drums == Drums::hatsOnly)
            continue;
        hit(pattern, start, kick, 64);
        hit(pattern, start + 4, snare, 52);
        hit(pattern, start + 8, kick, 64);
        hit(pattern, start + 11, kick, 40);
        hit(pattern, start + 12, snare, 52);
    }
}

// Staccato eighths: each note is cut on its fifth tick.
void placeBass(Pattern& pattern, const Section& section, int bars)
{
    static constexpr int steps[] = {0, 0, 12, 0, 0, 0, 12, 7};
    for (int bar = 0; bar < bars; ++bar) {
        int root = chordNamed(section.chords[static_cast<std::size_t>(bar)]).root;
        for (int i = 0; i < 8; ++i) {
            int row = bar * rowsPerBar + 2 * i;
            placeNote(pattern, row, root + steps[i], {bassChannel, bass, -1});
            pattern.at(row, bassChannel).effect = 0x0E;
            pattern.at(row, bassChannel).param = 0xC5;
        }
    }
}

// Tracker-style chords: one note whose pitch cycles through the triad every
// tick (effect 0), a minor or major third and the fifth above the root.
void placeArpeggio(Pattern& pattern, const Section& section, int bars)
{
    for (int bar = 0; bar < bars; ++bar) {
        std::string_view name = section.chords[static_cast<std::size_t>(bar)];
        int note = chordNamed(name).root % 12 + middleC;
        int shape = name.back() == 'm' ? 0x37 : 0x47;
        for (int step = 0; step < rowsPerBar; ++step) {
            Cell& cell = pattern.at(bar * rowsPerBar + step, chordChannel);
            if (step == 0) {
                cell.note = note;
                cell.instrument = chip;
            }
            cell.effect = 0x00;
            cell.param = shape;
        }
    }
}

Pattern buildSection(const Section& section)
{
    Pattern pattern(rowsPerBar * barsPerSection, channelCount);
    bool ending = section.drums == Drums::ending;
    placeDrums(pattern, section.drums);
    if (section.bass)
        placeBass(pattern, section, ending ? 2 : barsPerSection);
    placeArpeggio(pattern, section, ending ? barsPerSection - 1 : barsPerSection);
    if (section.lead)
        placeLine(pattern, 0, parseLine(section.lead), {leadChannel, lead, 40});
    return pattern;
}

// The last chord: a held E minor, the lead on its root, everything silenced
// a bar later.
void addLastChord(Pattern& pattern)
{
    int row = 2 * rowsPerBar;
    placeNote(pattern, row, noteNumber("E5"), {leadChannel, lead, 40});
    pattern.at(row, bassChannel) = Cell{noteNumber("E1"), bass, -1, 0, 0, false};
    int silence = 3 * rowsPerBar + 8;
    for (int channel : {bassChannel, chordChannel, leadChannel})
        pattern.at(silence, channel).noteOff = true;
}

std::vector<Instrument> instrumentSet()
{
    return {kickInstrument(drumRate), snareInstrument(drumRate), closedHatInstrument(drumRate),
            bassInstrument(toneRate, 128), leadInstrument(toneRate, 64), leadInstrument(toneRate, 32)};
}

} // namespace

TrackerModule paperRobots()
{
    const Section intro{verseChords, Drums::hatsOnly, false, nullptr};
    const Section groove{verseChords, Drums::full, true, nullptr};
    const Section verse{verseChords, Drums::full, true, firstMelody};
    const Section verseAnswer{verseChords, Drums::full, true, secondMelody};
    const Section chorus{chorusChords, Drums::full, true, chorusMelody};
    const Section ending{endingChords, Drums::ending, true, nullptr};

    TrackerModule module;
    module.name = "Paper Robots";
    module.channels = channelCount;
    module.instruments = instrumentSet();
    for (const Section* section : {&intro, &groove, &verse, &verseAnswer, &chorus, &ending})
        module.patterns.push_back(buildSection(*section));
    addLastChord(module.patterns.back());
    module.orders = {0, 1, 2, 3, 4, 1, 3, 4, 5};
    return module;
}

} // namespace music
