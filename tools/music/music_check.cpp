#include "tools/music/music_check.h"

#include "tools/music/band_meter.h"

#include <libopenmpt/libopenmpt.hpp>
#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <vector>

namespace music {
namespace {

constexpr int outputRate = 44100;
constexpr std::size_t blockFrames = 4096;
constexpr float earlyLitLevel = 3.0f / 70.0f;
constexpr std::size_t binsThatMustLightEarly = 12;
constexpr double quietestRmsDb = -24.0;
constexpr double loudestRmsDb = -8.0;

struct Levels {
    float peak = 0.0f;
    double sumOfSquares = 0.0;
    std::size_t samples = 0;

    void add(const float* interleaved, std::size_t count)
    {
        for (std::size_t i = 0; i < count; ++i) {
            peak = std::max(peak, std::fabs(interleaved[i]));
            sumOfSquares += static_cast<double>(interleaved[i]) * interleaved[i];
        }
        samples += count;
    }
    double rmsDb() const { return 10.0 * std::log10(std::max(1e-12, sumOfSquares / std::max<std::size_t>(1, samples))); }
    double peakDb() const { return 20.0 * std::log10(std::max(1e-9f, peak)); }
};

double toDb(float magnitude) { return 20.0 * std::log10(std::max(1e-9f, magnitude)); }

bool report(const char* name, double seconds, const Levels& levels, const SpectrumMeter& spectrum)
{
    std::printf("%s: %.2f s, peak %.2f dBFS, RMS %.1f dBFS\n", name, seconds, levels.peakDb(), levels.rmsDb());
    std::size_t litEarly = 0;
    bool anyAlwaysLit = false;
    std::printf("  bin  loudest in first 20 s  time at >= 12/70\n");
    for (std::size_t k = 0; k < SpectrumMeter::binsWatched; ++k) {
        const SpectrumMeter::Bin& bin = spectrum.bins()[k];
        double share = 100.0 * static_cast<double>(bin.windowsAbove) / static_cast<double>(std::max<std::size_t>(1, spectrum.windows()));
        std::printf("  %3zu  %.3f (%5.1f dB, %4.1f/70)  %5.1f %%\n", k, bin.loudestEarly, toDb(bin.loudestEarly),
                    bin.loudestEarly * 70.0f, share);
        litEarly += bin.loudestEarly > earlyLitLevel;
        anyAlwaysLit |= bin.windowsAbove == spectrum.windows();
    }
    std::printf("  %zu of 16 bins pass 3/70 within 20 s; %s bin stays at 12/70 or more throughout\n", litEarly,
                anyAlwaysLit ? "a" : "no");
    bool unclipped = levels.peak < 1.0f;
    bool healthy = levels.rmsDb() > quietestRmsDb && levels.rmsDb() < loudestRmsDb;
    if (!unclipped) std::printf("  FAIL: clips\n");
    if (!healthy) std::printf("  FAIL: loudness outside %.0f..%.0f dBFS RMS\n", quietestRmsDb, loudestRmsDb);
    if (litEarly < binsThatMustLightEarly) std::printf("  FAIL: too few bins lit early\n");
    if (anyAlwaysLit) std::printf("  FAIL: a bin never goes dark\n");
    return unclipped && healthy && litEarly >= binsThatMustLightEarly && !anyAlwaysLit;
}

} // namespace

bool checkModule(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    openmpt::module module(in);
    module.set_repeat_count(0);
    std::vector<float> block(blockFrames * 2);
    Levels levels;
    SpectrumMeter spectrum;
    std::size_t frames = 0;
    while (std::size_t got = module.read_interleaved_stereo(outputRate, blockFrames, block.data())) {
        levels.add(block.data(), got * 2);
        spectrum.addStereo(block.data(), got, static_cast<double>(frames) / outputRate);
        frames += got;
    }
    double seconds = static_cast<double>(frames) / outputRate;
    bool fits = report(file.filename().c_str(), seconds, levels, spectrum);
    if (seconds < 60.0 || seconds > 150.0) {
        std::printf("  FAIL: a module should last 60 to 150 s\n");
        fits = false;
    }
    return fits;
}

bool checkStream(const std::filesystem::path& file)
{
    SF_INFO info{};
    SNDFILE* sound = sf_open(file.c_str(), SFM_READ, &info);
    if (!sound) {
        std::printf("%s: cannot be opened: %s\n", file.c_str(), sf_strerror(nullptr));
        return false;
    }
    std::printf("%s: %d Hz, %d channels, format 0x%06X\n", file.filename().c_str(), info.samplerate, info.channels,
                info.format);
    if (info.samplerate != outputRate || info.channels != 2) {
        std::printf("  FAIL: expected 44100 Hz stereo\n");
        sf_close(sound);
        return false;
    }
    std::vector<float> block(blockFrames * 2);
    Levels levels;
    SpectrumMeter spectrum;
    std::size_t frames = 0;
    while (sf_count_t got = sf_readf_float(sound, block.data(), blockFrames)) {
        std::size_t count = static_cast<std::size_t>(got);
        levels.add(block.data(), count * 2);
        spectrum.addStereo(block.data(), count, static_cast<double>(frames) / outputRate);
        frames += count;
    }
    sf_close(sound);
    return report(file.filename().c_str(), static_cast<double>(frames) / outputRate, levels, spectrum);
}

} // namespace music
