// Tracker modules through libopenmpt: every format it reads.
#pragma once

#include "platform/audio/source.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace audio {

struct ModuleOptions {
    bool volumeRamping;
};

// The module's whole file is parsed at load; nothing is read later. It plays
// the song once: where the song jumps back to an order already played, it ends.
// Returns nothing for data that libopenmpt does not take as a module.
std::unique_ptr<Source> openModule(const std::vector<std::uint8_t>& fileContent, ModuleOptions options);

}  // namespace audio
