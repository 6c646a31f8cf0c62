// A lock-free ring of samples between one producer thread and one consumer
// thread (the mixing thread and the device callback), which never allocates
// or waits once built.
#pragma once

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <vector>

namespace audio {

class SampleRing {
public:
    explicit SampleRing(std::size_t capacity) : samples_(capacity) {}

    std::size_t freeSpace() const { return samples_.size() - (written_.load(std::memory_order_relaxed) - read_.load(std::memory_order_acquire)); }

    // Producer side; takes as many as fit.
    std::size_t push(const float* samples, std::size_t count)
    {
        const std::size_t written = written_.load(std::memory_order_relaxed);
        const std::size_t accepted = std::min(count, samples_.size() - (written - read_.load(std::memory_order_acquire)));
        for (std::size_t i = 0; i < accepted; ++i) samples_[(written + i) % samples_.size()] = samples[i];
        written_.store(written + accepted, std::memory_order_release);
        return accepted;
    }

    // Consumer side; gives as many as there are.
    std::size_t pop(float* samples, std::size_t count)
    {
        const std::size_t read = read_.load(std::memory_order_relaxed);
        const std::size_t taken = std::min(count, written_.load(std::memory_order_acquire) - read);
        for (std::size_t i = 0; i < taken; ++i) samples[i] = samples_[(read + i) % samples_.size()];
        read_.store(read + taken, std::memory_order_release);
        return taken;
    }

private:
    std::vector<float> samples_;
    // Counts since creation; their difference is the fill.
    std::atomic<std::size_t> written_{0};
    std::atomic<std::size_t> read_{0};
};

}  // namespace audio
