#pragma once

#include "tools/music/tracker_module.h"

#include <cstdint>
#include <vector>

namespace music {

// Serialises a four-channel module as ProTracker "M.K." MOD: 31 sample
// slots, 8-bit samples, notes as Amiga periods of the three octaves
// ProTracker plays. Volumes without another effect become effect C; a key-off
// becomes a cut to volume 0. The song plays at MOD's default speed 6, 125 BPM.
std::vector<std::uint8_t> writeMod(const TrackerModule& module);

} // namespace music
