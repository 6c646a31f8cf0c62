// How the BASS calls report themselves to the observer of bass_trace.h.
#pragma once

#include "platform/bass_trace.h"

#include <atomic>
#include <cstdint>
#include <string>
#include <string_view>

namespace audio::trace {

extern std::atomic<bool> observed;

inline bool active()
{
    return observed.load(std::memory_order_relaxed);
}

void emit(bass_trace::Call call);

std::string number(std::int64_t value);
std::string boolean(int value);
std::string text(std::string_view utf8);
std::string pointer(const void* value);

}  // namespace audio::trace
