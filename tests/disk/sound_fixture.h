// What the disk tests measure in a capture: the sound as heard, the transport
// calls in order, and the small disks of test tones they play.
#pragma once

#include "tests/support/capture_run.h"

#include <filesystem>
#include <string>
#include <vector>

// A captured WAV mixed down to one channel, with times in milliseconds from
// its first sample.
struct Sound {
    int rate = 0;
    std::vector<float> samples;

    double rms(double fromMs, double toMs) const;
    // The frequency of a pure tone, from its rising zero crossings.
    double toneFrequency(double fromMs, double toMs) const;
};

Sound readSound(const std::filesystem::path& wav);

// Below this RMS a window counts as silent; quiet passages of the shipped
// music stay well above it.
constexpr double kSilence = 1e-4;

// A mono 16-bit 44,100 Hz sine of the given pitch, written with libsndfile.
void writeTone(const std::filesystem::path& path, double hertz, double seconds, double amplitude = 0.5);

// A key pressed and released 50 ms later.
std::string release(unsigned atMs, const std::string& key);

// Two Escape releases skip the logo and the intro; the main screen is then
// current and alone from kMainScreenAlone on.
std::string skipToMainScreen();
constexpr unsigned kMainScreenAlone = 2300;

// A transport call as "BASS_ChannelPlay(2,false)": the channel calls the
// player makes, in order, from the given time on.
std::vector<std::string> transportCalls(const CaptureResult& result, std::uint32_t fromMs = 0);
std::string call(const std::string& name, const std::vector<std::string>& args);

// The handle that loading gave each track, in the order of the configuration.
std::vector<std::string> trackHandles(const CaptureResult& result);

// The virtual time at which the WAV's first sample was mixed: the output starts with the library.
std::uint32_t soundStart(const CaptureResult& result);
