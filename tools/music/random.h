#pragma once

#include <cstdint>

namespace music {

// Noise for the drum sounds must be the same on every run, so that the tool
// re-creates its files byte for byte; a fixed-seed xorshift gives that.
class NoiseSource {
public:
    explicit NoiseSource(std::uint32_t seed) : state_(seed ? seed : 0x9E3779B9u) {}

    // Uniform in [-1, 1).
    float next()
    {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return static_cast<float>(state_ >> 8) / 8388608.0f - 1.0f;
    }

private:
    std::uint32_t state_;
};

} // namespace music
