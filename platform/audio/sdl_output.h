// The program's outputs: the default SDL2 audio device, and where none can be
// opened a silent output that consumes the mix at real-time pace, so that
// tracks still end and advance and the spectrum still moves.
#pragma once

#include "platform/audio/output.h"
#include "platform/audio/sample_ring.h"

#include <SDL.h>

#include <atomic>
#include <thread>
#include <vector>

namespace audio {

// The mix is made ahead on a thread of its own into a ring that the device
// callback drains: the callback only copies, never decodes or locks.
class SdlDeviceOutput final : public Output {
public:
    SdlDeviceOutput();
    bool start(MixSource& mix) override;
    void stop() override;
    std::uint64_t heardFrame() const override;

private:
    static void SDLCALL deviceCallback(void* self, Uint8* stream, int bytes);
    void fillRing(std::stop_token stopping, MixSource& mix);

    SampleRing ring_;
    SDL_AudioDeviceID device_ = 0;
    std::uint64_t deviceBufferFrames_ = 0;
    std::atomic<std::uint64_t> consumedFrames_{0};
    std::jthread mixer_;
};

class PacedSilentOutput final : public Output {
public:
    bool start(MixSource& mix) override;
    void stop() override;
    std::uint64_t heardFrame() const override;

private:
    void consume(std::stop_token stopping, MixSource& mix);

    std::atomic<std::uint64_t> consumedFrames_{0};
    std::jthread consumer_;
};

// Starts the first of its outputs that starts.
// Device callbacks, since the process started, that found the ring short after
// the sound had begun: each one is a gap heard as silence.
std::uint64_t deviceUnderruns();

class FirstWorkingOutput final : public Output {
public:
    explicit FirstWorkingOutput(std::vector<std::unique_ptr<Output>> candidates);
    bool start(MixSource& mix) override;
    void stop() override;
    std::uint64_t heardFrame() const override;

private:
    std::vector<std::unique_ptr<Output>> candidates_;
    Output* running_ = nullptr;
};

}  // namespace audio
