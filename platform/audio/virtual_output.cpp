#include "platform/audio/virtual_output.h"

#include "platform/audio/source.h"
#include "platform/headless.h"

#include <algorithm>
#include <cstdint>

namespace audio {
namespace {

constexpr std::size_t kBlockFrames = 1024;

// A reset of the headless world drops its clock listeners, so each start
// registers one; where earlier ones survive, they serve the running output too,
// and catching up to a tick already reached does nothing.
VirtualOutput* runningOutput = nullptr;

}  // namespace

VirtualWorld& virtualWorld()
{
    static VirtualWorld world;
    return world;
}

std::unique_ptr<Output> makeOutput()
{
    return std::make_unique<VirtualOutput>();
}

bool VirtualOutput::start(MixSource& mix)
{
    headless::addClockListener(&VirtualOutput::onClock);
    mix_ = &mix;
    lastTick_ = headless::now();
    block_.assign(kBlockFrames * kMixChannels, 0.0f);
    runningOutput = this;
    return true;
}

void VirtualOutput::stop()
{
    if (runningOutput == this) runningOutput = nullptr;
}

std::uint64_t VirtualOutput::heardFrame() const
{
    return renderedFrames_.load();
}

void VirtualOutput::onClock(DWORD now)
{
    if (runningOutput) runningOutput->catchUp(now);
}

// Mixes up to floor(ms × 44100 / 1000) for the virtual milliseconds since start.
// A clock set back (a reset of the headless world) only moves the reference.
void VirtualOutput::catchUp(DWORD now)
{
    const auto step = static_cast<std::int32_t>(now - lastTick_);
    lastTick_ = now;
    if (step <= 0) return;
    elapsedMs_ += static_cast<std::uint64_t>(step);
    const std::uint64_t target = elapsedMs_ * kMixRate / 1000;
    VirtualWorld& world = virtualWorld();
    for (std::uint64_t rendered = renderedFrames_.load(); rendered < target;) {
        const std::size_t frames = static_cast<std::size_t>(std::min<std::uint64_t>(target - rendered, kBlockFrames));
        const std::span<float> block(block_.data(), frames * kMixChannels);
        mix_->render(block);
        if (world.outputFailed) std::fill(block.begin(), block.end(), 0.0f);
        world.capture.write(block);
        rendered += frames;
        renderedFrames_.store(rendered);
    }
}

}  // namespace audio
