#pragma once

#include "tools/music/tracker_module.h"

namespace music {

// The disk's opening tune, an XM module in A minor at 120 beats per minute:
// a pad-and-bell intro, verses, choruses, a half-time bridge and a last chord
// that rings out. About 90 seconds; the order list never jumps back.
TrackerModule glassHarbour();

} // namespace music
