// Tiny tracker modules written byte by byte: one looped sample holding a sine
// of 16 samples per cycle, one note on row 0 of the only pattern, and a pattern
// break on row 7, so that each song lasts 8 rows (0.96 s at speed 6, 125 BPM).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace audio_test {

struct ModuleFixture {
    std::string format;              // "mod", "xm", "s3m", "it"
    std::vector<std::uint8_t> bytes;
    double toneHz;                   // the note's pitch: its sample rate / 16
};

constexpr int kSamplesPerCycle = 16;
constexpr double kSongSeconds = 0.96;

ModuleFixture protrackerModule();
ModuleFixture fastTrackerModule();
ModuleFixture screamTrackerModule();
ModuleFixture impulseTrackerModule();

}  // namespace audio_test
