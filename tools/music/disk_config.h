#pragma once

#include <string>
#include <vector>

namespace music {

struct DiskTrack {
    std::string type;       // "mod" or "stream", as the player reads it
    std::string fileName;   // inside data/music/
    std::string title;
    std::string description;
};

// The text of data/disk.cfg: the track count, three lines per track, then the
// scroll text of the about screen. Line feeds only; the player takes CR LF too.
std::string diskConfigText(const std::vector<DiskTrack>& tracks);

} // namespace music
