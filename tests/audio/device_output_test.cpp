// The program's outputs, on their own threads (SDL's dummy driver stands in for
// a device): they pull the mix while the main thread works, and stop cleanly.
#include "platform/audio/sdl_output.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <mutex>
#include <thread>
#include <vector>

namespace audio_test {
namespace {

class CountingMix final : public audio::MixSource {
public:
    void render(std::span<float> stereo) override
    {
        std::lock_guard lock(mutex_);
        for (float& s : stereo) s = 0.25f;
        frames_ += stereo.size() / 2;
    }
    std::uint64_t frames() const
    {
        std::lock_guard lock(mutex_);
        return frames_;
    }

private:
    mutable std::mutex mutex_;
    std::uint64_t frames_ = 0;
};

void waitUntilHeard(const audio::Output& output)
{
    for (int i = 0; i < 500 && output.heardFrame() == 0; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(2));
}

TEST(DeviceOutput, OutputsPullTheMixOnTheirThreadsAndStop)
{
    ::setenv("SDL_AUDIODRIVER", "dummy", 1);
    audio::SdlDeviceOutput device;
    audio::PacedSilentOutput silent;
    for (audio::Output* output : {static_cast<audio::Output*>(&device), static_cast<audio::Output*>(&silent)}) {
        CountingMix mix;
        ASSERT_TRUE(output->start(mix));
        waitUntilHeard(*output);
        EXPECT_GT(output->heardFrame(), 0u);
        output->stop();
        const std::uint64_t pulled = mix.frames();
        EXPECT_GE(pulled, output->heardFrame()) << "nothing is heard that was not mixed";
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        EXPECT_EQ(mix.frames(), pulled) << "a stopped output pulls no more";
    }
}

TEST(DeviceOutput, FallsBackToSilenceWithoutADevice)
{
    ::setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    std::vector<std::unique_ptr<audio::Output>> candidates;
    candidates.push_back(std::make_unique<audio::SdlDeviceOutput>());
    candidates.push_back(std::make_unique<audio::PacedSilentOutput>());
    const auto output = std::make_unique<audio::FirstWorkingOutput>(std::move(candidates));
    CountingMix mix;
    ASSERT_TRUE(output->start(mix));
    waitUntilHeard(*output);
    EXPECT_GT(output->heardFrame(), 0u) << "tracks must still advance";
    output->stop();
}

}  // namespace
}  // namespace audio_test
