#include "tests/fuzz/audio_playback.h"

#include "platform/bass_headless.h"
#include "platform/headless.h"

#include <cmath>
#include <cstdlib>

namespace fuzz {
namespace {

// Frames of the 20 ms main loop, enough to cross a few mix blocks and spectrum reads.
constexpr int kFrames = 6;
constexpr DWORD kFrameMs = 20;

void readSpectrum(DWORD handle) {
    float magnitudes[256] = {};
    if (BASS_ChannelGetData(handle, magnitudes, BASS_DATA_FFT512) == static_cast<DWORD>(-1)) return;
    for (const float magnitude : magnitudes)
        if (!std::isfinite(magnitude) || magnitude < 0.0f) std::abort();
}

}  // namespace

void initialiseAudio() {
    static const bool initialised = [] {
        headless::reset();
        bass_headless::reset();
        return BASS_Init(-1, 44100, 0, nullptr, nullptr) != FALSE;
    }();
    if (!initialised) std::abort();
}

void playBrieflyAndFree(DWORD handle) {
    BASS_ChannelPlay(handle, FALSE);
    for (int frame = 0; frame < kFrames; ++frame) {
        headless::advance(kFrameMs);
        readSpectrum(handle);
        BASS_ChannelIsActive(handle);
        if (frame == kFrames / 2) {
            BASS_ChannelPause(handle);
            BASS_ChannelSetPosition(handle, 0);
            BASS_ChannelPlay(handle, FALSE);
        }
    }
    BASS_ChannelStop(handle);
    // The disk frees every track this way, whatever its type.
    BASS_MusicFree(handle);
}

}  // namespace fuzz
