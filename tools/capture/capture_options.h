// The capture tool's command line:
//   velmora-capture [--data DIR] [--script FILE] [--seconds S] [--frame-cost MS]
//                   [--shot MS:FILE.png]... [--wav FILE] [--trace FILE] [--start-tick T]
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct Shot {
    std::uint32_t at;
    std::string path;
};

struct CaptureOptions {
    std::string dataDir = ".";
    std::string scriptPath;
    double seconds = 60.0;
    std::uint32_t frameCost = 1;
    std::vector<Shot> shots;
    std::string wavPath;
    std::string tracePath;
    // The tick count at start, so that runs across the 2^32 wrap can be made.
    std::uint32_t startTick = 0;
};

// Parses argv; on a bad argument returns nothing and says why in error.
std::optional<CaptureOptions> parseCaptureOptions(int argc, const char* const* argv, std::string& error);

extern const char* const kCaptureUsage;
