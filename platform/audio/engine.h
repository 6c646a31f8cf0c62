// The state behind the BASS calls: the channels, the master volume and the mix.
// The API calls come from the main thread; the output pulls the mix from its
// own thread (or, in virtual time, from the clock on the main thread). One mutex
// guards all of it; the output's device callback never takes it.
#pragma once

#include "platform/audio/channel.h"
#include "platform/audio/output.h"
#include "platform/audio/fft_magnitudes.h"

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <vector>

namespace audio {

class Engine final : public MixSource {
public:
    static Engine& instance();

    bool init();
    // Stops the output and frees every channel; false when not initialised.
    bool shutdown();
    bool initialised() const;

    // 0 when not initialised.
    std::uint32_t addChannel(std::unique_ptr<Source> source);
    bool freeChannel(std::uint32_t handle);
    bool play(std::uint32_t handle, bool restart);
    bool stop(std::uint32_t handle);
    bool pause(std::uint32_t handle);
    bool seek(std::uint32_t handle, std::uint64_t frame);
    Activity activity(std::uint32_t handle) const;
    bool spectrum(std::uint32_t handle, std::span<float, kSpectrumBins> magnitudes);

    // Master volume 0..100, applied to the mix: the system's volume is never touched.
    std::optional<std::uint32_t> volume() const;
    bool setVolume(std::uint32_t volume);
    void resetVolume();

    void render(std::span<float> stereo) override;

private:
    Engine();
    Channel* find(std::uint32_t handle) const;
    void renderBlock(std::span<float> stereo);
    void applyMasterVolume(std::span<float> stereo);

    mutable std::mutex mutex_;
    std::unique_ptr<Output> output_;
    std::map<std::uint32_t, std::unique_ptr<Channel>> channels_;
    // Handles are never reused, so a freed handle cannot reach a newer channel.
    std::uint32_t nextHandle_ = 1;
    std::uint64_t mixedFrames_ = 0;
    std::uint32_t volume_ = 100;
    float appliedGain_ = 1.0f;
    std::vector<float> scratch_;
    Spectrum spectrum_;
};

}  // namespace audio
