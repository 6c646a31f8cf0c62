#include "platform/audio/sdl_output.h"

#include "platform/audio/source.h"

#include <chrono>

namespace audio {
namespace {

using namespace std::chrono_literals;

constexpr Uint16 kDeviceBufferFrames = 1024;
// About 186 ms made ahead: a machine whose cores are all busy can keep the
// mixer waiting for longer than one device buffer, and a shorter ring then
// plays gaps; a stop or a volume change is still heard within a fifth of a second.
constexpr std::size_t kRingFrames = 8192;
constexpr std::size_t kMixBlockFrames = 256;
constexpr auto kMixerNap = 2ms;
constexpr auto kSilentNap = 5ms;

std::atomic<std::uint64_t> underruns{0};

}  // namespace

SdlDeviceOutput::SdlDeviceOutput() : ring_(kRingFrames * kMixChannels) {}

bool SdlDeviceOutput::start(MixSource& mix)
{
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
    SDL_AudioSpec wanted{};
    wanted.freq = kMixRate;
    wanted.format = AUDIO_F32SYS;
    wanted.channels = kMixChannels;
    wanted.samples = kDeviceBufferFrames;
    wanted.callback = &SdlDeviceOutput::deviceCallback;
    wanted.userdata = this;
    SDL_AudioSpec obtained{};
    // No changes allowed: SDL converts to whatever the device really runs at.
    device_ = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, 0);
    if (device_ == 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    deviceBufferFrames_ = obtained.samples;
    mixer_ = std::jthread([this, &mix](std::stop_token stopping) { fillRing(stopping, mix); });
    SDL_PauseAudioDevice(device_, 0);
    return true;
}

void SdlDeviceOutput::stop()
{
    // Closing waits for a running callback, so the ring is no longer drained.
    SDL_CloseAudioDevice(device_);
    mixer_.request_stop();
    mixer_.join();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

// The frames handed to the device are heard once its buffer has played.
std::uint64_t SdlDeviceOutput::heardFrame() const
{
    const std::uint64_t consumed = consumedFrames_.load();
    return consumed > deviceBufferFrames_ ? consumed - deviceBufferFrames_ : 0;
}

void SDLCALL SdlDeviceOutput::deviceCallback(void* self, Uint8* stream, int bytes)
{
    auto* output = static_cast<SdlDeviceOutput*>(self);
    auto* samples = reinterpret_cast<float*>(stream);
    const std::size_t wanted = static_cast<std::size_t>(bytes) / sizeof(float);
    const std::size_t taken = output->ring_.pop(samples, wanted);
    // An underrun plays silence rather than stale data. Before the first frame
    // has been mixed the device only waits; that is no gap.
    std::fill(samples + taken, samples + wanted, 0.0f);
    if (taken < wanted && output->consumedFrames_.load() > 0) underruns.fetch_add(1);
    output->consumedFrames_.fetch_add(taken / kMixChannels);
}

void SdlDeviceOutput::fillRing(std::stop_token stopping, MixSource& mix)
{
    // The mixer needs little of a core, but needs it in time: above the other
    // programs' busy threads it keeps the ring full. A system that refuses the
    // raise (no rights to it) leaves the thread as it was, and the ring covers.
    SDL_SetThreadPriority(SDL_THREAD_PRIORITY_HIGH);
    std::vector<float> block(kMixBlockFrames * kMixChannels);
    while (!stopping.stop_requested()) {
        while (ring_.freeSpace() >= block.size()) {
            mix.render(block);
            ring_.push(block.data(), block.size());
        }
        std::this_thread::sleep_for(kMixerNap);
    }
}

std::uint64_t deviceUnderruns()
{
    return underruns.load();
}

bool PacedSilentOutput::start(MixSource& mix)
{
    consumer_ = std::jthread([this, &mix](std::stop_token stopping) { consume(stopping, mix); });
    return true;
}

void PacedSilentOutput::stop()
{
    consumer_.request_stop();
    consumer_.join();
}

std::uint64_t PacedSilentOutput::heardFrame() const
{
    return consumedFrames_.load();
}

void PacedSilentOutput::consume(std::stop_token stopping, MixSource& mix)
{
    std::vector<float> block(kMixBlockFrames * kMixChannels);
    const auto startTime = std::chrono::steady_clock::now();
    while (!stopping.stop_requested()) {
        const auto elapsed = std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - startTime);
        const auto due = static_cast<std::uint64_t>(elapsed.count()) * kMixRate / 1000000;
        while (consumedFrames_.load() + kMixBlockFrames <= due) {
            mix.render(block);
            consumedFrames_.fetch_add(kMixBlockFrames);
        }
        std::this_thread::sleep_for(kSilentNap);
    }
}

FirstWorkingOutput::FirstWorkingOutput(std::vector<std::unique_ptr<Output>> candidates)
    : candidates_(std::move(candidates))
{
}

bool FirstWorkingOutput::start(MixSource& mix)
{
    for (const auto& candidate : candidates_) {
        if (candidate->start(mix)) {
            running_ = candidate.get();
            return true;
        }
    }
    return false;
}

void FirstWorkingOutput::stop()
{
    if (running_) running_->stop();
    running_ = nullptr;
}

std::uint64_t FirstWorkingOutput::heardFrame() const
{
    return running_ ? running_->heardFrame() : 0;
}

}  // namespace audio
