// What a channel plays: decoded audio in the mix format, 44,100 Hz float stereo.
#pragma once

#include <cstddef>
#include <cstdint>

namespace audio {

constexpr int kMixRate = 44100;
constexpr int kMixChannels = 2;

class Source {
public:
    virtual ~Source() = default;
    // Writes up to `frames` interleaved stereo frames; fewer only when the end
    // has been reached (or the decoder failed, which ends the channel too).
    virtual std::size_t render(float* stereo, std::size_t frames) = 0;
    // Moves to `frame` (in mix frames from the beginning) and forgets the notes
    // and filter history of the old position.
    virtual bool seek(std::uint64_t frame) = 0;
};

}  // namespace audio
