#include "platform/audio/channel.h"

#include <algorithm>

namespace audio {
namespace {

// Enough to cover the output's read-ahead plus one spectrum window.
constexpr std::size_t kHistoryFrames = 16384;

}  // namespace

Channel::Channel(std::unique_ptr<Source> source, std::uint64_t createdAtFrame)
    : source_(std::move(source)),
      historyStart_(createdAtFrame),
      historyEnd_(createdAtFrame)
{
}

bool Channel::play(bool restart)
{
    if ((restart || atEnd_) && !seek(0)) return false;
    activity_ = Activity::playing;
    return true;
}

void Channel::stop()
{
    activity_ = Activity::stopped;
}

bool Channel::pause()
{
    if (activity_ != Activity::playing) return false;
    activity_ = Activity::paused;
    return true;
}

bool Channel::seek(std::uint64_t frame)
{
    if (!source_->seek(frame)) return false;
    atEnd_ = false;
    return true;
}

void Channel::mixInto(std::span<float> mix, std::uint64_t firstFrame, std::span<float> scratch)
{
    // A channel that does not play adds nothing and remembers nothing: a disk of
    // thousands of tracks must not pay for each of them in every block.
    if (activity_ != Activity::playing) return;
    const std::size_t frames = mix.size() / kMixChannels;
    const std::span<float> own = scratch.first(mix.size());
    const std::size_t produced = source_->render(own.data(), frames);
    if (produced < frames) {
        activity_ = Activity::stopped;
        atEnd_ = true;
    }
    std::fill(own.begin() + static_cast<std::ptrdiff_t>(produced * kMixChannels), own.end(), 0.0f);
    std::transform(mix.begin(), mix.end(), own.begin(), mix.begin(), std::plus<>());
    remember(own, firstFrame);
}

void Channel::remember(std::span<const float> stereo, std::uint64_t firstFrame)
{
    const std::size_t frames = stereo.size() / kMixChannels;
    if (history_.empty()) history_.assign(kHistoryFrames, 0.0f);
    // What lies before a pause in playing is not history of the frames after it:
    // those were silent, so the history starts again here.
    if (firstFrame != historyEnd_) historyStart_ = firstFrame;
    for (std::size_t i = 0; i < frames; ++i) {
        history_[(firstFrame + i) % kHistoryFrames] = 0.5f * (stereo[2 * i] + stereo[2 * i + 1]);
    }
    historyEnd_ = firstFrame + frames;
}

void Channel::recentSignal(std::uint64_t endFrame, std::span<float> out) const
{
    const std::uint64_t firstFrame = endFrame - std::min<std::uint64_t>(endFrame, out.size());
    const std::size_t leadingSilence = out.size() - static_cast<std::size_t>(endFrame - firstFrame);
    std::fill(out.begin(), out.begin() + static_cast<std::ptrdiff_t>(leadingSilence), 0.0f);
    for (std::size_t i = leadingSilence; i < out.size(); ++i) {
        const std::uint64_t frame = firstFrame + (i - leadingSilence);
        const bool remembered = frame >= historyStart_ && frame < historyEnd_ && historyEnd_ - frame <= kHistoryFrames;
        out[i] = remembered ? history_[frame % kHistoryFrames] : 0.0f;
    }
}

}  // namespace audio
