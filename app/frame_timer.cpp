#include "app/frame_timer.h"

#include "platform/win32.h"

FrameTimer* FrameTimer::self = nullptr;

FrameTimer* FrameTimer::instance() {
    if (!self) self = new FrameTimer();
    return self;
}

void FrameTimer::destroy() {
    delete self;
    self = nullptr;
}

FrameTimer::FrameTimer() : startTick(GetTickCount()), lastTick(startTick) {}

// Differences are taken modulo 2^32 and read as signed, so delta stays right
// across the wrap of the tick count.
static float secondsBetween(std::uint32_t from, std::uint32_t to) {
    const auto difference = static_cast<std::int32_t>(to - from);
    return static_cast<float>(static_cast<double>(difference) / 1000.0);
}

void FrameTimer::update() {
    const std::uint32_t now = GetTickCount();
    elapsed = secondsBetween(startTick, now);
    delta = secondsBetween(lastTick, now);
    lastTick = now;
}
