#pragma once

#include <array>
#include <cstddef>
#include <vector>

namespace music {

// Watches a signal the way the equalizer does: 512-sample Hann-windowed FFTs
// of the mono mix, scaled so that a full-scale sine reads 1.0 at its bin, of
// which the 16 lowest bins are kept.
class SpectrumMeter {
public:
    static constexpr std::size_t windowSize = 512;
    static constexpr std::size_t binsWatched = 16;

    SpectrumMeter();

    // Feeds interleaved stereo; `seconds` is the time of the first frame.
    void addStereo(const float* frames, std::size_t frameCount, double seconds);

    struct Bin {
        float loudestEarly = 0.0f;   // highest magnitude within the early span
        std::size_t windowsAbove = 0; // windows at or above the "always lit" level
    };

    const std::array<Bin, binsWatched>& bins() const { return bins_; }
    std::size_t windows() const { return windows_; }

    void setEarlySpan(double seconds) { earlySpan_ = seconds; }
    void setAlwaysLitLevel(float level) { alwaysLitLevel_ = level; }

private:
    void analyseWindow(double seconds);

    std::vector<float> window_;
    std::vector<float> pending_;
    double pendingStart_ = 0.0;
    std::array<Bin, binsWatched> bins_{};
    std::size_t windows_ = 0;
    double earlySpan_ = 20.0;
    float alwaysLitLevel_ = 12.0f / 70.0f;
};

} // namespace music
