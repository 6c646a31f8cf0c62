// The soak itself: the whole disk in the headless world, run again whenever a
// quit lets it end, until the virtual time is used up.
#pragma once

#include "tools/soak/invariants.h"
#include "tools/soak/random_input.h"
#include "tools/soak/soak_options.h"

#include <cstdint>
#include <functional>
#include <vector>

struct MemorySample {
    double virtualHours;
    std::uint64_t frames;
    std::uint64_t residentBytes;
};

struct SoakReport {
    double virtualHours = 0;
    std::uint64_t frames = 0;
    std::uint64_t restarts = 0;
    std::uint64_t violations = 0;
    std::uint32_t mostQuadsInAFrame = 0;
    std::vector<std::string> firstViolations;
    std::vector<MemorySample> memory;
    InputCounts input;

    // Bytes the resident set grew after the first sample: the largest later sample minus the first.
    std::int64_t growthAfterFirstSample() const;
};

// Runs the disk found in the current folder's data/. onSample is told of each memory sample as it is taken.
SoakReport runSoak(const SoakOptions& options, const std::function<void(const MemorySample&)>& onSample);
