// Control of the audio library in the headless world, for tests and the
// capture tool. The output there is rendered in virtual time: every advance of
// the headless clock mixes exactly the frames that the virtual milliseconds
// since BASS_Init cover (frame index = floor(ms × 44100 / 1000)). Main thread only.
#pragma once

#include "platform/win32.h"

#include <string>

namespace bass_headless {

// What BASS_GetVersion reports from now on (normally 0x02030000, BASS 2.3).
void reportVersion(DWORD version);
// Makes every later BASS_Init fail.
void failInit(bool fail);
// Makes every later load fail, or only those whose path, as the program passes
// it, contains `pathFragment` (may be called for several fragments).
void failAllLoads();
void failLoadsMatching(const std::string& pathFragment);

// Captures the master output, as heard (after the master volume), into a 16-bit
// stereo 44,100 Hz WAV file from now until stopWavCapture (or a reset). Returns
// false when the file cannot be written.
bool startWavCapture(const std::string& path);
// Completes the file; false when no capture was running or it could not be completed.
bool stopWavCapture();

// The output device fails from now on: the disk goes on as before (tracks play,
// end and advance, the spectrum moves), but what is heard, and captured, is silence.
void failOutput();

// A fresh library: not initialised, no channels, master volume 100, version
// 2.3, no failures ordered, no capture.
void reset();

}  // namespace bass_headless
