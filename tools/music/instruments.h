#pragma once

#include "tools/music/tracker_module.h"

namespace music {

// The disk's synthesized instrument set. Each is made at the given sample
// rate, so that the XM tune can use rich 33 kHz samples and the MOD tune the
// rates that fit Amiga periods.
Instrument kickInstrument(double sampleRate);
Instrument snareInstrument(double sampleRate);
Instrument closedHatInstrument(double sampleRate);
Instrument openHatInstrument(double sampleRate);
Instrument crashInstrument(double sampleRate);
Instrument bellInstrument(double sampleRate);

// Looped tones; `cycleLength` is the number of samples of one cycle, which
// sets the tone's pitch at its own rate (sampleRate / cycleLength).
Instrument bassInstrument(double sampleRate, int cycleLength);
Instrument leadInstrument(double sampleRate, int cycleLength);
Instrument padInstrument(double sampleRate, int cycleLength);

} // namespace music
