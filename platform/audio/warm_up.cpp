#include "platform/audio_warm_up.h"

#include <libopenmpt/libopenmpt.hpp>

#include <array>
#include <cstdint>
#include <cstring>
#include <exception>
#include <sstream>
#include <system_error>

namespace {

// The smallest module libopenmpt accepts: a four-channel "M.K." file with 31
// empty samples, one order and one empty pattern.
constexpr std::size_t kTitleBytes = 20;
constexpr std::size_t kSampleHeaders = 31 * 30;
constexpr std::size_t kOrderBytes = 128;
constexpr std::size_t kPatternBytes = 64 * 4 * 4;
constexpr std::size_t kModuleBytes = kTitleBytes + kSampleHeaders + 2 + kOrderBytes + 4 + kPatternBytes;

std::array<std::uint8_t, kModuleBytes> emptyModule()
{
    std::array<std::uint8_t, kModuleBytes> bytes{};
    std::size_t at = kTitleBytes + kSampleHeaders;
    bytes[at++] = 1;    // song length
    bytes[at++] = 127;  // restart position, as trackers wrote it
    at += kOrderBytes;  // order 0 plays pattern 0
    std::memcpy(&bytes[at], "M.K.", 4);
    return bytes;
}

void makeOneModule()
{
    try {
        const auto bytes = emptyModule();
        std::ostringstream log;  // its own: the players' log is not shared across threads
        openmpt::module module(bytes.data(), bytes.size(), log);
    } catch (const std::exception&) {
        // Nothing is lost: the first real module fills the tables instead.
    }
}

}  // namespace

AudioWarmUp::AudioWarmUp()
{
    try {
        worker_ = std::thread(makeOneModule);
    } catch (const std::system_error&) {
    }
}

AudioWarmUp::~AudioWarmUp()
{
    if (worker_.joinable()) worker_.join();
}
