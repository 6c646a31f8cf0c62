#include "platform/audio/engine.h"

#include <algorithm>
#include <array>

namespace audio {
namespace {

// The mix is made in blocks of at most this many frames, whatever the output asks for.
constexpr std::size_t kBlockFrames = 1024;
constexpr std::uint32_t kMaxVolume = 100;

}  // namespace

Engine& Engine::instance()
{
    static Engine engine;
    return engine;
}

Engine::Engine() : scratch_(kBlockFrames * kMixChannels) {}

bool Engine::init()
{
    std::unique_ptr<Output> output = makeOutput();
    {
        std::lock_guard lock(mutex_);
        if (output_) return false;
        mixedFrames_ = 0;
        appliedGain_ = volume_ / static_cast<float>(kMaxVolume);
    }
    // Started outside the lock: an output thread may pull the mix at once.
    if (!output->start(*this)) return false;
    std::lock_guard lock(mutex_);
    output_ = std::move(output);
    return true;
}

bool Engine::shutdown()
{
    std::unique_ptr<Output> output;
    {
        std::lock_guard lock(mutex_);
        output = std::move(output_);
    }
    if (!output) return false;
    // Stopped outside the lock: its thread may be waiting for it inside render.
    output->stop();
    std::lock_guard lock(mutex_);
    channels_.clear();
    return true;
}

bool Engine::initialised() const
{
    std::lock_guard lock(mutex_);
    return output_ != nullptr;
}

std::uint32_t Engine::addChannel(std::unique_ptr<Source> source)
{
    std::lock_guard lock(mutex_);
    if (!output_) return 0;
    const std::uint32_t handle = nextHandle_++;
    channels_.emplace(handle, std::make_unique<Channel>(std::move(source), mixedFrames_));
    return handle;
}

bool Engine::freeChannel(std::uint32_t handle)
{
    std::lock_guard lock(mutex_);
    return channels_.erase(handle) == 1;
}

Channel* Engine::find(std::uint32_t handle) const
{
    const auto found = channels_.find(handle);
    return found == channels_.end() ? nullptr : found->second.get();
}

bool Engine::play(std::uint32_t handle, bool restart)
{
    std::lock_guard lock(mutex_);
    Channel* channel = find(handle);
    return channel && channel->play(restart);
}

bool Engine::stop(std::uint32_t handle)
{
    std::lock_guard lock(mutex_);
    Channel* channel = find(handle);
    if (!channel) return false;
    channel->stop();
    return true;
}

bool Engine::pause(std::uint32_t handle)
{
    std::lock_guard lock(mutex_);
    Channel* channel = find(handle);
    return channel && channel->pause();
}

bool Engine::seek(std::uint32_t handle, std::uint64_t frame)
{
    std::lock_guard lock(mutex_);
    Channel* channel = find(handle);
    return channel && channel->seek(frame);
}

Activity Engine::activity(std::uint32_t handle) const
{
    std::lock_guard lock(mutex_);
    const Channel* channel = find(handle);
    return channel ? channel->activity() : Activity::stopped;
}

bool Engine::spectrum(std::uint32_t handle, std::span<float, kSpectrumBins> magnitudes)
{
    std::lock_guard lock(mutex_);
    const Channel* channel = find(handle);
    if (!output_ || !channel || channel->activity() == Activity::stopped) return false;
    std::array<float, kSpectrumWindow> heard;
    channel->recentSignal(output_->heardFrame(), heard);
    spectrum_.analyse(heard, magnitudes);
    return true;
}

std::optional<std::uint32_t> Engine::volume() const
{
    std::lock_guard lock(mutex_);
    if (!output_) return std::nullopt;
    return volume_;
}

bool Engine::setVolume(std::uint32_t volume)
{
    std::lock_guard lock(mutex_);
    if (!output_ || volume > kMaxVolume) return false;
    volume_ = volume;
    return true;
}

void Engine::resetVolume()
{
    std::lock_guard lock(mutex_);
    volume_ = kMaxVolume;
}

void Engine::render(std::span<float> stereo)
{
    std::lock_guard lock(mutex_);
    for (std::size_t offset = 0; offset < stereo.size(); offset += kBlockFrames * kMixChannels) {
        renderBlock(stereo.subspan(offset, std::min(stereo.size() - offset, kBlockFrames * kMixChannels)));
    }
}

void Engine::renderBlock(std::span<float> stereo)
{
    std::fill(stereo.begin(), stereo.end(), 0.0f);
    for (const auto& entry : channels_) entry.second->mixInto(stereo, mixedFrames_, scratch_);
    applyMasterVolume(stereo);
    mixedFrames_ += stereo.size() / kMixChannels;
}

// A change of volume glides over one block instead of stepping, which would click.
void Engine::applyMasterVolume(std::span<float> stereo)
{
    const float target = volume_ / static_cast<float>(kMaxVolume);
    const std::size_t frames = stereo.size() / kMixChannels;
    const float step = (target - appliedGain_) / static_cast<float>(frames);
    for (std::size_t i = 0; i < frames; ++i) {
        const float gain = appliedGain_ + step * static_cast<float>(i + 1);
        stereo[2 * i] *= gain;
        stereo[2 * i + 1] *= gain;
    }
    appliedGain_ = target;
}

}  // namespace audio
