// The 512-sample spectrum of a channel, on the scale the equalizer's thresholds
// were set for: a full-scale sine reads close to 1.0 at its bin.
#pragma once

#include <array>
#include <span>

struct kiss_fftr_state;

namespace audio {

constexpr std::size_t kSpectrumWindow = 512;
constexpr std::size_t kSpectrumBins = kSpectrumWindow / 2;

class Spectrum {
public:
    Spectrum();
    ~Spectrum();
    Spectrum(const Spectrum&) = delete;
    Spectrum& operator=(const Spectrum&) = delete;

    // Magnitudes of bins 0 (DC) to 255, bin k centred on k × 44100 / 512 Hz,
    // of the Hann-windowed signal; the magnitude is scaled by 2 / the window's
    // sum so that a sine of amplitude A centred on a bin reads A there.
    void analyse(std::span<const float, kSpectrumWindow> signal, std::span<float, kSpectrumBins> magnitudes);

private:
    kiss_fftr_state* plan_;
    std::array<float, kSpectrumWindow> window_;
    float scale_;
};

}  // namespace audio
