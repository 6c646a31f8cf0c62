#include "tools/music/glass_harbour.h"

#include "tools/music/instruments.h"
#include "tools/music/melody.h"

#include <array>

namespace music {
namespace {

constexpr double sampleRate = 33452.0;   // four times XM's base rate: clean highs, modest size
constexpr int rowsPerBar = 16;
constexpr int barsPerSection = 4;

enum InstrumentNumber { kick = 1, snare, closedHat, openHat, crash, bass, pad, lead, bell };
enum Channel { kickChannel, snareChannel, hatChannel, bassChannel, padChannel, leadChannel = padChannel + 3,
               echoChannel, bellChannel, crashChannel, channelCount };

enum class Groove { none, pulse, full, halfTime, ending };
enum class BassLine { none, held, eighths, halfTime, ending };

struct Section {
    std::array<const char*, barsPerSection> chords;
    Groove groove;
    BassLine bassLine;
    int bellVolume;              // 0: no bell
    const char* lead;            // nullptr: no melody
    bool crashAtStart;
    bool fillAtEnd;
};

constexpr std::array<const char*, 4> verseChords = {"Am", "F", "C", "G"};
constexpr std::array<const char*, 4> chorusChords = {"F", "G", "Em", "Am"};
constexpr std::array<const char*, 4> bridgeChords = {"Dm", "Am", "Dm", "E"};
constexpr std::array<const char*, 4> endingChords = {"F", "G", "Am", "Am"};

constexpr const char* verseMelody =
    "A4:2 C5:2 E5:4 D5:2 C5:2 E5:4 | F5:6 E5:2 C5:4 A4:4 | G4:2 C5:2 E5:4 G5:4 E5:2 D5:2 | D5:8 B4:4 r:4";
constexpr const char* verseMelodyLater =
    "A4:2 C5:2 E5:2 A5:2 G5:2 E5:2 D5:2 E5:2 | F5:4 A5:4 G5:2 F5:2 E5:2 C5:2 | G5:6 E5:2 C5:4 E5:2 G5:2 | B5:4 A5:2 G5:2 D5:6 r:2";
constexpr const char* chorusMelody =
    "A5:6 G5:2 F5:4 C5:4 | D5:6 E5:2 G5:4 D5:4 | E5:6 G5:2 B5:4 G5:2 E5:2 | A5:8 G5:2 E5:2 C5:4";
constexpr const char* chorusMelodyAnswer =
    "A5:6 G5:2 F5:4 C5:4 | D5:6 E5:2 G5:4 B5:4 | C6:6 B5:2 G5:4 E5:4 | A5:12 r:4";
constexpr const char* bridgeMelody =
    "F5:8 E5:4 D5:4 | C5:8 E5:4 A4:4 | D5:4 F5:4 A5:4 G5:2 F5:2 | E5:8 G#5:4 B5:4";

void hit(Pattern& pattern, int row, int channel, int instrument, int volume)
{
    placeNote(pattern, row, middleC, {channel, instrument, volume});
}

void hatsOnEighths(Pattern& pattern, int bar, bool openOnLast)
{
    for (int step = 0; step < rowsPerBar; step += 2) {
        int row = bar * rowsPerBar + step;
        bool lastEighth = step == rowsPerBar - 2;
        if (openOnLast && lastEighth)
            hit(pattern, row, hatChannel, openHat, 40);
        else
            hit(pattern, row, hatChannel, closedHat, step % 4 == 0 ? 48 : 32);
    }
}

// A snare roll on sixteenths that swells into the next section.
void snareRoll(Pattern& pattern, int firstRow, int lastRow)
{
    for (int row = firstRow; row <= lastRow; ++row)
        hit(pattern, row, snareChannel, snare, 20 + 44 * (row - firstRow) / (lastRow - firstRow));
}

void fullBar(Pattern& pattern, int bar)
{
    int start = bar * rowsPerBar;
    hit(pattern, start, kickChannel, kick, 64);
    hit(pattern, start + 8, kickChannel, kick, 64);
    hit(pattern, start + 11, kickChannel, kick, 40);
    hit(pattern, start + 4, snareChannel, snare, 56);
    hit(pattern, start + 12, snareChannel, snare, 56);
    hatsOnEighths(pattern, bar, true);
}

void fillBar(Pattern& pattern, int bar)
{
    int start = bar * rowsPerBar;
    hit(pattern, start, kickChannel, kick, 64);
    hit(pattern, start + 4, snareChannel, snare, 56);
    hit(pattern, start + 6, kickChannel, kick, 48);
    hit(pattern, start + 8, kickChannel, kick, 64);
    snareRoll(pattern, start + 10, start + 15);
    hatsOnEighths(pattern, bar, false);
}

void placeDrums(Pattern& pattern, const Section& section)
{
    for (int bar = 0; bar < barsPerSection; ++bar) {
        int start = bar * rowsPerBar;
        bool lastBar = bar == barsPerSection - 1;
        switch (section.groove) {
        case Groove::none:
            break;
        case Groove::pulse:
            hit(pattern, start, kickChannel, kick, 56);
            for (int step = 2; step < rowsPerBar; step += 4)
                hit(pattern, start + step, hatChannel, closedHat, 36);
            if (lastBar)
                snareRoll(pattern, start, start + 15);
            break;
        case Groove::full:
            if (lastBar && section.fillAtEnd)
                fillBar(pattern, bar);
            else
                fullBar(pattern, bar);
            break;
        case Groove::halfTime:
            hit(pattern, start, kickChannel, kick, 60);
            hit(pattern, start + 10, kickChannel, kick, 44);
            hit(pattern, start + 8, snareChannel, snare, 52);
            hatsOnEighths(pattern, bar, false);
            if (lastBar && section.fillAtEnd)
                snareRoll(pattern, start + 12, start + 15);
            break;
        case Groove::ending:
            if (bar < 2)
                fullBar(pattern, bar);
            else if (bar == 2)
                hit(pattern, start, kickChannel, kick, 64);
            break;
        }
    }
    if (section.crashAtStart)
        hit(pattern, 0, crashChannel, crash, 48);
}

void placeBass(Pattern& pattern, const Section& section)
{
    for (int bar = 0; bar < barsPerSection; ++bar) {
        int root = chordNamed(section.chords[static_cast<std::size_t>(bar)]).root;
        int start = bar * rowsPerBar;
        Voice strong{bassChannel, bass, 60};
        Voice soft{bassChannel, bass, 44};
        switch (section.bassLine) {
        case BassLine::none:
            break;
        case BassLine::held:
            placeNote(pattern, start, root, strong);
            placeNote(pattern, start + 8, root, soft);
            break;
        case BassLine::eighths: {
            static constexpr int steps[] = {0, 0, 12, 0, 0, 0, 12, 7};
            for (int i = 0; i < 8; ++i)
                placeNote(pattern, start + 2 * i, root + steps[i], i % 2 ? soft : strong);
            break;
        }
        case BassLine::halfTime:
            placeNote(pattern, start, root, strong);
            placeNote(pattern, start + 6, root + 12, soft);
            placeNote(pattern, start + 10, root, strong);
            break;
        case BassLine::ending:
            if (bar < 3)
                placeNote(pattern, start, root, strong);
            if (bar == 3)
                pattern.at(start + 8, bassChannel).noteOff = true;
            break;
        }
    }
}

// The pad is struck again only when the chord changes, so a repeated chord
// swells once and holds.
void placePad(Pattern& pattern, const Section& section, bool releaseAtEnd)
{
    const char* previous = nullptr;
    for (int bar = 0; bar < barsPerSection; ++bar) {
        const char* name = section.chords[static_cast<std::size_t>(bar)];
        if (previous && std::string_view(previous) == name)
            continue;
        previous = name;
        Chord chord = chordNamed(name);
        for (int voice = 0; voice < 3; ++voice)
            placeNote(pattern, bar * rowsPerBar, chord.voicing[static_cast<std::size_t>(voice)],
                      {padChannel + voice, pad, -1});
    }
    if (releaseAtEnd)
        for (int voice = 0; voice < 3; ++voice)
            pattern.at(pattern.rows - 8, padChannel + voice).noteOff = true;
}

void placeBell(Pattern& pattern, const Section& section)
{
    if (section.bellVolume == 0)
        return;
    static constexpr int order[] = {0, 1, 2, 3, 4, 3, 2, 1};
    // In the ending the arpeggio stops for the final chord's last bar.
    int bars = section.groove == Groove::ending ? barsPerSection - 1 : barsPerSection;
    for (int bar = 0; bar < bars; ++bar) {
        Chord chord = chordNamed(section.chords[static_cast<std::size_t>(bar)]);
        std::array<int, 5> tones = {chord.voicing[0] + 12, chord.voicing[1] + 12, chord.voicing[2] + 12,
                                    chord.voicing[0] + 24, chord.voicing[1] + 24};
        for (int i = 0; i < 8; ++i)
            placeNote(pattern, bar * rowsPerBar + 2 * i, tones[static_cast<std::size_t>(order[i])],
                      {bellChannel, bell, section.bellVolume});
    }
}

// The echo repeats the melody a dotted eighth later, quieter and on the other side.
void placeLead(Pattern& pattern, const Section& section)
{
    if (!section.lead)
        return;
    std::vector<LineNote> line = parseLine(section.lead);
    placeLine(pattern, 0, line, {leadChannel, lead, 52});
    placeLine(pattern, 3, line, {echoChannel, lead, 20});
    for (int row = 0; row < pattern.rows; ++row)
        if (pattern.at(row, echoChannel).note) {
            pattern.at(row, echoChannel).effect = 0x08;
            pattern.at(row, echoChannel).param = 0x40;
        }
}

Pattern buildSection(const Section& section)
{
    Pattern pattern(rowsPerBar * barsPerSection, channelCount);
    placeDrums(pattern, section);
    placeBass(pattern, section);
    placePad(pattern, section, section.groove == Groove::ending);
    placeBell(pattern, section);
    placeLead(pattern, section);
    return pattern;
}

// The last chord is struck once more by everything, then left to ring.
void addFinalHit(Pattern& pattern)
{
    int row = 2 * rowsPerBar;
    hit(pattern, row, crashChannel, crash, 52);
    placeNote(pattern, row, noteNumber("A1"), {bassChannel, bass, 60});
    placeNote(pattern, row, noteNumber("A5"), {leadChannel, bell, 48});
    placeNote(pattern, row + 3, noteNumber("E5"), {echoChannel, bell, 24});
}

std::vector<Instrument> instrumentSet()
{
    return {kickInstrument(sampleRate), snareInstrument(sampleRate), closedHatInstrument(sampleRate),
            openHatInstrument(sampleRate), crashInstrument(sampleRate), bassInstrument(sampleRate, 128),
            padInstrument(sampleRate, 128), leadInstrument(sampleRate, 128), bellInstrument(sampleRate)};
}

} // namespace

TrackerModule glassHarbour()
{
    const Section intro{verseChords, Groove::none, BassLine::none, 48, nullptr, false, false};
    const Section build{verseChords, Groove::pulse, BassLine::held, 44, nullptr, false, true};
    const Section verse{verseChords, Groove::full, BassLine::eighths, 30, nullptr, true, false};
    const Section verseSung{verseChords, Groove::full, BassLine::eighths, 26, verseMelody, false, true};
    const Section chorus{chorusChords, Groove::full, BassLine::eighths, 24, chorusMelody, true, false};
    const Section chorusAnswer{chorusChords, Groove::full, BassLine::eighths, 24, chorusMelodyAnswer, false, true};
    const Section bridge{bridgeChords, Groove::halfTime, BassLine::halfTime, 36, bridgeMelody, true, true};
    const Section verseLater{verseChords, Groove::full, BassLine::eighths, 26, verseMelodyLater, true, true};
    const Section ending{endingChords, Groove::ending, BassLine::ending, 36, nullptr, true, false};

    TrackerModule module;
    module.name = "Glass Harbour";
    module.channels = channelCount;
    module.speed = 6;
    module.tempo = 120;
    module.instruments = instrumentSet();
    for (const Section* section : {&intro, &build, &verse, &verseSung, &chorus, &chorusAnswer, &bridge,
                                   &verseLater, &ending})
        module.patterns.push_back(buildSection(*section));
    addFinalHit(module.patterns.back());
    module.orders = {0, 1, 2, 3, 4, 5, 6, 7, 4, 5, 8};
    return module;
}

} // namespace music
