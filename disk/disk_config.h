// Reading data/disk.cfg: the track count, three lines per track (type, file
// name, title) and the free scroll text. Lines end at a line feed; a carriage
// return before it is dropped, so CR LF and LF files read alike.
#pragma once

#include <cstdint>
#include <istream>
#include <optional>
#include <string>
#include <vector>

struct TrackEntry {
    std::string type;
    std::string fileName;
    std::string title;
};

struct DiskConfig {
    std::vector<TrackEntry> tracks;
    std::string scrollText;
};

// Why a configuration cannot be played; the text is shown to the user.
struct DiskConfigError {
    std::string message;
};

// Reads the count, refusing a count that is missing, not positive, or larger
// than the rest of the file could hold (fileSize is the size of the whole file).
std::optional<DiskConfigError> readTrackCount(std::istream& in, std::uint64_t fileSize, std::int32_t& count);

// Reads one line; a line that cannot be read is empty.
std::string readLine(std::istream& in);

TrackEntry readTrackEntry(std::istream& in);
std::string readScrollText(std::istream& in);

// Paths are written the way the disk's makers wrote them, with backslashes.
std::string musicPath(const std::string& fileName);
