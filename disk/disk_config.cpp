#include "disk/disk_config.h"

#include <limits>

namespace {

// The shortest entry a file can hold: "mod" and two empty lines.
constexpr std::uint64_t kShortestEntryBytes = 5;

void dropCarriageReturn(std::string& line) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
}

}  // namespace

std::optional<DiskConfigError> readTrackCount(std::istream& in, std::uint64_t fileSize, std::int32_t& count) {
    long long value = 0;
    if (!(in >> value)) return DiskConfigError{"The track count in data/disk.cfg cannot be read"};
    in.ignore(std::numeric_limits<std::streamsize>::max(), '\n');
    if (value <= 0) return DiskConfigError{"data/disk.cfg lists no tracks"};
    const std::uint64_t consumed = in.eof() ? fileSize : static_cast<std::uint64_t>(in.tellg());
    const std::uint64_t remaining = fileSize > consumed ? fileSize - consumed : 0;
    if (static_cast<std::uint64_t>(value) > remaining / kShortestEntryBytes + 1 ||
        value > std::numeric_limits<std::int32_t>::max())
        return DiskConfigError{"data/disk.cfg lists more tracks than it holds"};
    in.clear();
    count = static_cast<std::int32_t>(value);
    return std::nullopt;
}

std::string readLine(std::istream& in) {
    std::string line;
    if (!std::getline(in, line)) return {};
    dropCarriageReturn(line);
    return line;
}

TrackEntry readTrackEntry(std::istream& in) {
    TrackEntry entry;
    entry.type = readLine(in);
    entry.fileName = readLine(in);
    entry.title = readLine(in);
    return entry;
}

std::string readScrollText(std::istream& in) {
    std::string text;
    std::string line;
    while (std::getline(in, line)) {
        dropCarriageReturn(line);
        text += line;
        text += '\n';
    }
    return text;
}

std::string musicPath(const std::string& fileName) { return "data\\music\\" + fileName; }
