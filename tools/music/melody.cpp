#include "tools/music/melody.h"

#include <stdexcept>
#include <string>

namespace music {

int noteNumber(std::string_view name)
{
    static constexpr int letterSemitones[] = {9, 11, 0, 2, 4, 5, 7};   // A B C D E F G
    if (name.size() < 2 || name[0] < 'A' || name[0] > 'G')
        throw std::invalid_argument("not a note name: " + std::string(name));
    int semitone = letterSemitones[name[0] - 'A'];
    std::size_t octavePosition = 1;
    if (name[1] == '#') { ++semitone; ++octavePosition; }
    else if (name[1] == 'b') { --semitone; ++octavePosition; }
    if (octavePosition + 1 != name.size() || name[octavePosition] < '0' || name[octavePosition] > '9')
        throw std::invalid_argument("not a note name: " + std::string(name));
    int octave = name[octavePosition] - '0';
    return 12 * (octave + 1) + semitone;
}

Chord chordNamed(std::string_view name)
{
    struct Entry { std::string_view name; const char* root; std::array<const char*, 3> voicing; };
    static constexpr Entry chords[] = {
        {"Am", "A1", {"A3", "C4", "E4"}},
        {"F",  "F1", {"A3", "C4", "F4"}},
        {"C",  "C2", {"G3", "C4", "E4"}},
        {"G",  "G1", {"G3", "B3", "D4"}},
        {"Em", "E1", {"G3", "B3", "E4"}},
        {"Dm", "D2", {"A3", "D4", "F4"}},
        {"E",  "E1", {"G#3", "B3", "E4"}},
        {"Bb", "Bb1", {"Bb3", "D4", "F4"}},
        {"D",  "D2", {"A3", "D4", "F#4"}},
    };
    for (const Entry& entry : chords)
        if (entry.name == name)
            return {noteNumber(entry.root),
                    {noteNumber(entry.voicing[0]), noteNumber(entry.voicing[1]), noteNumber(entry.voicing[2])}};
    throw std::invalid_argument("unknown chord: " + std::string(name));
}

std::vector<LineNote> parseLine(std::string_view text)
{
    std::vector<LineNote> line;
    int row = 0;
    std::size_t position = 0;
    while (position < text.size()) {
        std::size_t end = text.find(' ', position);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view token = text.substr(position, end - position);
        position = end + 1;
        if (token.empty() || token == "|")
            continue;
        std::size_t colon = token.find(':');
        if (colon == std::string_view::npos)
            throw std::invalid_argument("token without length: " + std::string(token));
        std::string_view pitch = token.substr(0, colon);
        int length = std::stoi(std::string(token.substr(colon + 1)));
        line.push_back({row, pitch == "r" ? 0 : noteNumber(pitch), length});
        row += length;
    }
    return line;
}

void placeNote(Pattern& pattern, int row, int note, const Voice& voice)
{
    Cell& cell = pattern.at(row, voice.channel);
    cell.note = note + voice.transpose;
    cell.instrument = voice.instrument;
    cell.volume = voice.volume;
}

void placeLine(Pattern& pattern, int startRow, const std::vector<LineNote>& line, const Voice& voice)
{
    for (const LineNote& entry : line) {
        int row = startRow + entry.row;
        if (row >= pattern.rows)
            break;
        if (entry.note)
            placeNote(pattern, row, entry.note, voice);
        else
            pattern.at(row, voice.channel).noteOff = true;
    }
}

} // namespace music
