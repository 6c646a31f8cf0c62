// Seeded random input for the soak: one action at a time (a key tap, a held
// keypad key, a click, a move, a quit that a screen switch interrupts, rarely
// one let through), scheduled in the headless world just ahead of the clock.
#pragma once

#include "platform/win32.h"

#include <cstdint>
#include <random>

struct InputCounts {
    std::uint64_t keys = 0;
    std::uint64_t clicks = 0;
    std::uint64_t moves = 0;
    std::uint64_t screenKeys = 0;
    std::uint64_t quitsInterrupted = 0;
    std::uint64_t quitsLetThrough = 0;
};

class RandomInput {
public:
    explicit RandomInput(std::uint32_t seed) : random(seed) {}

    // After a restart the headless world's clock counts from 0 again.
    void restart() { nextAt = 0; }
    // Called after every frame with the time since the world's start and the current screen.
    void step(DWORD sinceStart, std::uint32_t currentScene);

    const InputCounts& counts() const { return done; }

private:
    DWORD tap(DWORD at, WPARAM key);
    DWORD hold(DWORD at, WPARAM key);
    DWORD click(DWORD at);
    DWORD move(DWORD at);
    DWORD quit(DWORD at, std::uint32_t currentScene);
    std::uint32_t below(std::uint32_t limit) { return static_cast<std::uint32_t>(random() % limit); }
    DWORD between(DWORD low, DWORD high) { return low + below(high - low + 1); }

    std::mt19937 random;
    DWORD nextAt = 0;
    InputCounts done;
};
