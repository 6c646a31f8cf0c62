// What the audio targets do with whatever they loaded: a little playback in
// virtual time with the spectrum read between, a pause, a rewind, and the free.
#pragma once

#include "platform/bass.h"

#include <cstddef>
#include <cstdint>

namespace fuzz {

// Initialises the audio library in virtual time, once per process.
void initialiseAudio();
// Plays the channel for a moment, as the player screens would, and frees it.
void playBrieflyAndFree(DWORD handle);

}  // namespace fuzz
