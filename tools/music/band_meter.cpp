#include "tools/music/band_meter.h"

#include <kiss_fftr.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <memory>

namespace music {
namespace {

constexpr double sampleRate = 44100.0;

struct FftDeleter {
    void operator()(kiss_fftr_state* state) const { kiss_fftr_free(state); }
};

} // namespace

SpectrumMeter::SpectrumMeter() : window_(windowSize)
{
    for (std::size_t n = 0; n < windowSize; ++n)
        window_[n] = static_cast<float>(0.5 - 0.5 * std::cos(6.283185307179586 * static_cast<double>(n) / windowSize));
    pending_.reserve(windowSize);
}

void SpectrumMeter::addStereo(const float* frames, std::size_t frameCount, double seconds)
{
    for (std::size_t i = 0; i < frameCount; ++i) {
        if (pending_.empty())
            pendingStart_ = seconds + static_cast<double>(i) / sampleRate;
        pending_.push_back(0.5f * (frames[2 * i] + frames[2 * i + 1]));
        if (pending_.size() == windowSize) {
            analyseWindow(pendingStart_);
            pending_.clear();
        }
    }
}

void SpectrumMeter::analyseWindow(double seconds)
{
    static const std::unique_ptr<kiss_fftr_state, FftDeleter> fft(kiss_fftr_alloc(windowSize, 0, nullptr, nullptr));
    std::vector<float> input(windowSize);
    float windowSum = 0.0f;
    for (std::size_t n = 0; n < windowSize; ++n) {
        input[n] = pending_[n] * window_[n];
        windowSum += window_[n];
    }
    std::vector<kiss_fft_cpx> output(windowSize / 2 + 1);
    kiss_fftr(fft.get(), input.data(), output.data());
    // A sine of amplitude A gives |X| = A * sum(w) / 2 at its bin.
    float scale = 2.0f / windowSum;
    for (std::size_t k = 0; k < binsWatched; ++k) {
        float magnitude = std::abs(std::complex<float>(output[k].r, output[k].i)) * scale;
        if (seconds < earlySpan_)
            bins_[k].loudestEarly = std::max(bins_[k].loudestEarly, magnitude);
        if (magnitude >= alwaysLitLevel_)
            ++bins_[k].windowsAbove;
    }
    ++windows_;
}

} // namespace music
