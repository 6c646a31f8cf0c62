#pragma once

#include "tools/music/tracker_module.h"

#include <cstdint>
#include <vector>

namespace music {

// Serialises a module as FastTracker II Extended Module (XM 1.04) with the
// linear frequency table and 16-bit delta-coded samples.
std::vector<std::uint8_t> writeXm(const TrackerModule& module);

} // namespace music
