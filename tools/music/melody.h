#pragma once

#include "tools/music/tracker_module.h"

#include <array>
#include <string_view>
#include <vector>

namespace music {

// "A4", "C#5", "Bb2" as a MIDI note number (A4 = 69).
int noteNumber(std::string_view name);

// A chord as the tunes use it: a bass root and a three-note voicing around middle C.
struct Chord {
    int root;
    std::array<int, 3> voicing;
};

// "Am", "F", "C", "G", "Em", "Dm", "E", "Bb", "D".
Chord chordNamed(std::string_view name);

// One note of a line; `note` 0 is a rest. Rows are counted from the line's start.
struct LineNote {
    int row;
    int note;
    int length;
};

// A line written as "E5:4 D5:2 r:2 ...", each token a note or a rest (r) and its
// length in rows; bars may be separated by "|" for readability.
std::vector<LineNote> parseLine(std::string_view text);

struct Voice {
    int channel;
    int instrument;
    int volume;          // -1: the instrument's own
    int transpose = 0;
};

// Writes a line into a pattern from `startRow`; a rest becomes a key-off, so
// that the enveloped instruments release instead of being cut.
void placeLine(Pattern& pattern, int startRow, const std::vector<LineNote>& line, const Voice& voice);

void placeNote(Pattern& pattern, int row, int note, const Voice& voice);

} // namespace music
