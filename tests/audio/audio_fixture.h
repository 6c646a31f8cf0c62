// What the audio tests share: a fresh library initialised in virtual time, a
// temporary folder for the files they write, and the captured output.
#pragma once

#include "platform/bass.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace audio_test {

constexpr int kRate = 44100;

class AudioTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Writes bytes into the temporary folder; returns its path.
    std::string writeFile(const std::string& name, const std::vector<std::uint8_t>& bytes) const;
    // A sine tone written by libsndfile; `format` is an SF_FORMAT_* major|minor pair.
    std::string writeTone(const std::string& name, int format, int rate, int channels, double hz, double seconds,
                          double amplitude = 0.5) const;

    // Advances virtual time by `ms`, capturing what is heard meanwhile.
    std::vector<float> listen(int ms);

    std::filesystem::path folder_;
    std::string capturePath_;
};

// Interleaved stereo helpers.
std::vector<float> channelOf(const std::vector<float>& stereo, int channel);
double rms(const std::vector<float>& samples);
// The frequency of a periodic signal from its rising zero crossings, 0 if it has too few.
double measuredFrequency(const std::vector<float>& samples, int rate = kRate);

}  // namespace audio_test
