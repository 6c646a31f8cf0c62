// The output of the headless world: the mix is rendered as the virtual clock
// advances, on the thread that advances it.
#pragma once

#include "platform/audio/output.h"
#include "platform/audio/wav_capture.h"
#include "platform/win32.h"

#include <atomic>
#include <vector>

namespace audio {

// What the headless controls change: the capture file and a failed device.
struct VirtualWorld {
    WavCapture capture;
    bool outputFailed = false;
};
VirtualWorld& virtualWorld();

class VirtualOutput final : public Output {
public:
    bool start(MixSource& mix) override;
    void stop() override;
    std::uint64_t heardFrame() const override;

private:
    static void onClock(DWORD now);
    void catchUp(DWORD now);

    MixSource* mix_ = nullptr;
    DWORD lastTick_ = 0;
    std::uint64_t elapsedMs_ = 0;
    std::atomic<std::uint64_t> renderedFrames_{0};
    std::vector<float> block_;
};

}  // namespace audio
