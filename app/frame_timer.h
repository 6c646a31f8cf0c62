// The program's only clock: seconds since it started and the length of the
// last frame, from the millisecond tick count.
#pragma once

#include <cstdint>

class FrameTimer {
public:
    static FrameTimer* instance();
    static void destroy();

    void update();

    std::uint32_t startTick;
    std::uint32_t lastTick;
    float elapsed = 0.0f;
    float delta = 0.0f;

private:
    FrameTimer();
    static FrameTimer* self;
};
