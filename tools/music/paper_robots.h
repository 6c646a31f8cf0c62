#pragma once

#include "tools/music/tracker_module.h"

namespace music {

// A bouncy four-channel tune in E minor for the MOD format: drums on one
// channel, a staccato bass, chords as tracker arpeggios and a square lead.
// About 70 seconds, ending on a held chord.
TrackerModule paperRobots();

} // namespace music
