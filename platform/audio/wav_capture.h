// The master output written to a 16-bit stereo 44,100 Hz WAV file as it is mixed.
#pragma once

#include <memory>
#include <span>
#include <string>

struct sf_private_tag;

namespace audio {

class WavCapture {
public:
    bool start(const std::string& path);
    bool stop();
    bool running() const { return file_ != nullptr; }
    // Samples beyond full scale are clipped, not wrapped.
    void write(std::span<const float> stereo);

private:
    struct Closer {
        void operator()(sf_private_tag* file) const;
    };
    std::unique_ptr<sf_private_tag, Closer> file_;
};

}  // namespace audio
