// The soak tool's command line:
//   velmora-soak [--data DIR] [--hours H] [--seed N] [--start-tick T]
//                [--sample-minutes M] [--max-growth-mb MB]
#pragma once

#include <cstdint>
#include <optional>
#include <string>

struct SoakOptions {
    std::string dataDir = ".";
    double hours = 1.0;
    std::uint32_t seed = 1;
    // Half a minute before the tick count wraps, so that every soak crosses it.
    std::uint32_t startTick = 0xFFFFFFFFu - 30000u;
    // Memory is measured at every multiple of this; growth counts from the first measure.
    double sampleMinutes = 60.0;
    double maxGrowthMb = 8.0;
};

// Parses argv; on a bad argument returns nothing and says why in error (empty for --help).
std::optional<SoakOptions> parseSoakOptions(int argc, const char* const* argv, std::string& error);

extern const char* const kSoakUsage;
