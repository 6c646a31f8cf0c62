// One loaded track: its decoder, its transport state and what it played lately.
#pragma once

#include "platform/audio/source.h"

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

namespace audio {

enum class Activity : std::uint32_t { stopped = 0, playing = 1, paused = 3 };

class Channel {
public:
    explicit Channel(std::unique_ptr<Source> source, std::uint64_t createdAtFrame);

    // A channel that has played to its end has nothing to play on from, so it
    // starts from its beginning even without `restart`.
    bool play(bool restart);
    void stop();
    bool pause();
    bool seek(std::uint64_t frame);
    Activity activity() const { return activity_; }

    // Adds what the channel plays during the mix frames [firstFrame, firstFrame +
    // frames) to `mix`; `scratch` holds at least that many stereo frames.
    void mixInto(std::span<float> mix, std::uint64_t firstFrame, std::span<float> scratch);
    // The mono signal the channel played during the `out.size()` mix frames
    // before `endFrame`; silence where it did not play or history is gone.
    void recentSignal(std::uint64_t endFrame, std::span<float> out) const;

private:
    void remember(std::span<const float> stereo, std::uint64_t firstFrame);

    std::unique_ptr<Source> source_;
    Activity activity_ = Activity::stopped;
    bool atEnd_ = false;
    // Mono history indexed by mix frame modulo its size, from the channel's first
    // play on; the frames from historyStart_ to historyEnd_ are the ones it played
    // last without a break, and every other frame was silent.
    std::vector<float> history_;
    std::uint64_t historyStart_;
    std::uint64_t historyEnd_;
};

}  // namespace audio
