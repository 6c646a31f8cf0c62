// Where the mix goes. The core does not know which output it has: the program
// links the SDL2 device output, tests and the capture tool an output rendered
// in virtual time. Each output library defines makeOutput.
#pragma once

#include <cstdint>
#include <memory>
#include <span>

namespace audio {

// The mix an output pulls: interleaved 44,100 Hz float stereo, in order.
class MixSource {
public:
    virtual void render(std::span<float> stereo) = 0;

protected:
    ~MixSource() = default;
};

class Output {
public:
    virtual ~Output() = default;
    // Begins pulling the mix; false when this output cannot run.
    virtual bool start(MixSource& mix) = 0;
    // After it returns, the mix is not pulled again.
    virtual void stop() = 0;
    // The index, counted in mix frames since start, of the frame being heard now.
    virtual std::uint64_t heardFrame() const = 0;
};

std::unique_ptr<Output> makeOutput();

}  // namespace audio
