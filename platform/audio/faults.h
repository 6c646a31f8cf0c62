// Failures that the headless world can order, so that every message path of
// the disk can be exercised. Set and read on the main thread only.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace audio {

struct Faults {
    static constexpr std::uint32_t kVersion = 0x02030000;

    std::uint32_t reportedVersion = kVersion;
    bool failInit = false;
    bool failAllLoads = false;
    // A load fails when its path, as passed, contains one of these.
    std::vector<std::string> failingPathFragments;

    bool loadFails(const std::string& path) const;
};

Faults& faults();

}  // namespace audio
