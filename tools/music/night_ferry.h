#pragma once

#include <vector>

namespace music {

inline constexpr int streamSampleRate = 44100;

// The disk's streamed track, synthesized whole: a slow D minor groove at 90
// beats per minute with a plucked arpeggio through a ping-pong delay, a soft
// lead and a fade at the end. Interleaved stereo at 44.1 kHz, about 78 s.
std::vector<float> nightFerry();

} // namespace music
