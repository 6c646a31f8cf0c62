#include "platform/audio/stream_source.h"

#include <samplerate.h>
#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace audio {
namespace {

// File frames decoded per read: small, so that a stream never sits in memory whole.
constexpr sf_count_t kChunkFrames = 1024;

struct SndfileCloser {
    void operator()(SNDFILE* file) const { sf_close(file); }
};
struct ResamplerDeleter {
    void operator()(SRC_STATE* state) const { src_delete(state); }
};

class StreamSource final : public Source {
public:
    StreamSource(SNDFILE* file, const SF_INFO& info)
        : file_(file),
          fileChannels_(info.channels),
          ratio_(static_cast<double>(kMixRate) / info.samplerate),
          fileChunk_(static_cast<std::size_t>(kChunkFrames * info.channels)),
          stereoChunk_(static_cast<std::size_t>(kChunkFrames * kMixChannels))
    {
        if (info.samplerate != kMixRate) {
            int error = 0;
            resampler_.reset(src_callback_new(&StreamSource::supplyResampler, SRC_SINC_MEDIUM_QUALITY,
                                              kMixChannels, &error, this));
        }
    }

    bool ready() const { return ratio_ == 1.0 || resampler_ != nullptr; }

    std::size_t render(float* stereo, std::size_t frames) override
    {
        if (!resampler_) return readStereo(stereo, frames);
        const long produced = src_callback_read(resampler_.get(), ratio_, static_cast<long>(frames), stereo);
        return produced > 0 ? static_cast<std::size_t>(produced) : 0;
    }

    bool seek(std::uint64_t frame) override
    {
        const auto fileFrame = static_cast<sf_count_t>(static_cast<double>(frame) / ratio_);
        if (sf_seek(file_.get(), fileFrame, SEEK_SET) < 0) return false;
        if (resampler_) src_reset(resampler_.get());
        return true;
    }

private:
    static long supplyResampler(void* self, float** data)
    {
        auto* source = static_cast<StreamSource*>(self);
        *data = source->stereoChunk_.data();
        return static_cast<long>(source->readStereo(source->stereoChunk_.data(), kChunkFrames));
    }

    // Reads up to `frames` file frames as stereo, chunk by chunk.
    std::size_t readStereo(float* stereo, std::size_t frames)
    {
        std::size_t done = 0;
        while (done < frames) {
            const auto wanted = static_cast<sf_count_t>(std::min<std::size_t>(frames - done, kChunkFrames));
            const sf_count_t got = sf_readf_float(file_.get(), fileChunk_.data(), wanted);
            if (got <= 0) break;
            toStereo(static_cast<std::size_t>(got), stereo + done * kMixChannels);
            done += static_cast<std::size_t>(got);
        }
        return done;
    }

    void toStereo(std::size_t frames, float* stereo) const
    {
        const std::size_t right = fileChannels_ > 1 ? 1 : 0;
        for (std::size_t i = 0; i < frames; ++i) {
            const float* frame = fileChunk_.data() + i * static_cast<std::size_t>(fileChannels_);
            stereo[2 * i] = playable(frame[0]);
            stereo[2 * i + 1] = playable(frame[right]);
        }
    }

    // Float files hand over their bytes as they are, so a damaged one can hold
    // NaN, infinities or values far beyond full scale, which would poison the
    // mix and the spectrum; they are heard as silence and as full scale instead.
    static float playable(float sample)
    {
        if (!std::isfinite(sample)) return 0.0f;
        return std::clamp(sample, -1.0f, 1.0f);
    }

    std::unique_ptr<SNDFILE, SndfileCloser> file_;
    int fileChannels_;
    double ratio_;
    std::vector<float> fileChunk_;
    std::vector<float> stereoChunk_;
    std::unique_ptr<SRC_STATE, ResamplerDeleter> resampler_;
};

}  // namespace

std::unique_ptr<Source> openStream(RegularFile file)
{
    SF_INFO info{};
    SNDFILE* sndfile = sf_open_fd(file.release(), SFM_READ, &info, SF_TRUE);
    if (!sndfile) return nullptr;
    if (info.channels <= 0 || info.samplerate <= 0) {
        sf_close(sndfile);
        return nullptr;
    }
    auto stream = std::make_unique<StreamSource>(sndfile, info);
    if (!stream->ready()) return nullptr;
    return stream;
}

}  // namespace audio
