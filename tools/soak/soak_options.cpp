#include "tools/soak/soak_options.h"

#include <charconv>
#include <cmath>
#include <cstring>

const char* const kSoakUsage =
    "usage: velmora-soak [--data DIR] [--hours H] [--seed N] [--start-tick T]\n"
    "                    [--sample-minutes M] [--max-growth-mb MB]\n"
    "Runs the disk in the headless world for H virtual hours of random keys, clicks,\n"
    "screen switches and interrupted quits, checking after every frame that the\n"
    "screens' opacity, the track, the volume, the frame's quads and the moving\n"
    "values stay sound, and measuring memory every M virtual minutes. Exits 1 when\n"
    "an invariant broke or memory grew by more than MB after the first measure.\n";

namespace {

bool parseNumber(const char* text, double& value) {
    const char* end = text + std::strlen(text);
    auto [rest, error] = std::from_chars(text, end, value);
    return error == std::errc() && rest == end && std::isfinite(value);
}

bool parseNumber(const char* text, std::uint32_t& value) {
    const char* end = text + std::strlen(text);
    auto [rest, error] = std::from_chars(text, end, value);
    return error == std::errc() && rest == end;
}

}  // namespace

std::optional<SoakOptions> parseSoakOptions(int argc, const char* const* argv, std::string& error) {
    SoakOptions options;
    for (int i = 1; i < argc; ++i) {
        const std::string name = argv[i];
        if (name == "--help" || name == "-h") return std::nullopt;
        if (i + 1 >= argc) {
            error = name + " needs a value";
            return std::nullopt;
        }
        const char* value = argv[++i];
        bool good = true;
        if (name == "--data") options.dataDir = value;
        else if (name == "--hours") good = parseNumber(value, options.hours) && options.hours > 0 && options.hours <= 1000;
        else if (name == "--seed") good = parseNumber(value, options.seed);
        else if (name == "--start-tick") good = parseNumber(value, options.startTick);
        else if (name == "--sample-minutes") good = parseNumber(value, options.sampleMinutes) && options.sampleMinutes >= 1;
        else if (name == "--max-growth-mb") good = parseNumber(value, options.maxGrowthMb) && options.maxGrowthMb >= 0;
        else {
            error = "unknown option " + name;
            return std::nullopt;
        }
        if (!good) {
            error = "bad value for " + name + ": " + value;
            return std::nullopt;
        }
    }
    return options;
}
