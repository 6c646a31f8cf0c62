#include "platform/audio/fft_magnitudes.h"

#include <kiss_fftr.h>

#include <cmath>
#include <numbers>
#include <numeric>

namespace audio {

Spectrum::Spectrum() : plan_(kiss_fftr_alloc(kSpectrumWindow, 0, nullptr, nullptr))
{
    for (std::size_t i = 0; i < kSpectrumWindow; ++i) {
        window_[i] = 0.5f - 0.5f * std::cos(2.0f * std::numbers::pi_v<float> * i / kSpectrumWindow);
    }
    scale_ = 2.0f / std::accumulate(window_.begin(), window_.end(), 0.0f);
}

Spectrum::~Spectrum()
{
    kiss_fftr_free(plan_);
}

void Spectrum::analyse(std::span<const float, kSpectrumWindow> signal, std::span<float, kSpectrumBins> magnitudes)
{
    std::array<float, kSpectrumWindow> windowed;
    for (std::size_t i = 0; i < kSpectrumWindow; ++i) windowed[i] = signal[i] * window_[i];
    std::array<kiss_fft_cpx, kSpectrumBins + 1> bins;
    kiss_fftr(plan_, windowed.data(), bins.data());
    for (std::size_t k = 0; k < kSpectrumBins; ++k) {
        magnitudes[k] = std::hypot(bins[k].r, bins[k].i) * scale_;
    }
}

}  // namespace audio
