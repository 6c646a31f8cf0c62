#include "platform/audio/trace.h"

#include <cstdio>
#include <memory>
#include <mutex>

namespace audio::trace {
namespace {

std::mutex observerMutex;
std::shared_ptr<const bass_trace::Observer> currentObserver;

}  // namespace

std::atomic<bool> observed{false};

void emit(bass_trace::Call call)
{
    std::shared_ptr<const bass_trace::Observer> observer;
    {
        std::lock_guard lock(observerMutex);
        observer = currentObserver;
    }
    // Called without the lock, so that an observer may replace itself.
    if (observer) (*observer)(call);
}

std::string number(std::int64_t value)
{
    return std::to_string(value);
}

std::string boolean(int value)
{
    return value ? "true" : "false";
}

std::string text(std::string_view utf8)
{
    std::string json = "\"";
    for (const char c : utf8) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            json += '\\';
            json += c;
        } else if (byte < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
            json += escaped;
        } else {
            json += c;
        }
    }
    return json + "\"";
}

std::string pointer(const void* value)
{
    return value ? "\"<ptr>\"" : "null";
}

}  // namespace audio::trace

namespace bass_trace {

void setObserver(Observer observer)
{
    using namespace audio::trace;
    std::lock_guard lock(observerMutex);
    currentObserver = observer ? std::make_shared<const Observer>(std::move(observer)) : nullptr;
    observed.store(currentObserver != nullptr, std::memory_order_relaxed);
}

}  // namespace bass_trace
