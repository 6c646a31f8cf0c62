#pragma once

#include "tools/music/tracker_module.h"

#include <cmath>

namespace music {

// How far, in semitones, an instrument must be shifted so that MIDI note 60
// sounds middle C when the format plays that note at `formatMiddleCRate`.
inline double semitoneShift(const Instrument& instrument, double formatMiddleCRate)
{
    constexpr double middleCHz = 261.6256;
    double rateForMiddleC = instrument.sampleRate * middleCHz / instrument.pitchHz;
    return 12.0 * std::log2(rateForMiddleC / formatMiddleCRate);
}

} // namespace music
