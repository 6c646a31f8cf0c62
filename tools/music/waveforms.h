#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

namespace music {

// Amplitude of harmonic h (1-based) of a tone colour.
using HarmonicShape = std::function<double(int harmonic)>;

// A seamless loop of `length` samples: for every entry of `cyclesPerVoice` one
// band-limited voice that completes that many whole cycles within the loop.
// Several voices a cycle apart beat slowly against each other, which is what
// makes a pad sound wide.
std::vector<float> harmonicLoop(std::size_t length, const std::vector<int>& cyclesPerVoice,
                                int harmonics, const HarmonicShape& shape, std::uint32_t phaseSeed);

// One-shot drum and percussion sounds at the given sample rate.
std::vector<float> kickDrum(double sampleRate);
std::vector<float> snareDrum(double sampleRate);
std::vector<float> hiHat(double sampleRate, double decaySeconds, std::uint32_t seed);
std::vector<float> crashCymbal(double sampleRate);

// A struck, slowly decaying tone with slightly stretched upper partials.
std::vector<float> bellTone(double sampleRate, double pitchHz, double seconds);

// Scales to the given peak and converts to 16-bit samples.
std::vector<std::int16_t> toPcm16(const std::vector<float>& wave, float peak = 0.9f);

} // namespace music
