// velmora-soak: hours of random use of the whole disk in virtual time, with the
// program's invariants checked after every frame and memory measured as it goes.
#include "tools/soak/soak_options.h"
#include "tools/soak/soak_run.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

namespace {

constexpr double kBytesPerMb = 1024.0 * 1024.0;

void printSample(const MemorySample& sample) {
    std::printf("velmora-soak: %.2f virtual hours, %llu frames, resident %.1f MB\n", sample.virtualHours,
                static_cast<unsigned long long>(sample.frames), sample.residentBytes / kBytesPerMb);
    std::fflush(stdout);
}

void printReport(const SoakReport& report) {
    for (const std::string& violation : report.firstViolations) std::printf("velmora-soak: violation: %s\n", violation.c_str());
    const InputCounts& input = report.input;
    std::printf("velmora-soak: input: %llu keys, %llu screen keys, %llu clicks, %llu moves, "
                "%llu quits interrupted, %llu let through\n",
                static_cast<unsigned long long>(input.keys), static_cast<unsigned long long>(input.screenKeys),
                static_cast<unsigned long long>(input.clicks), static_cast<unsigned long long>(input.moves),
                static_cast<unsigned long long>(input.quitsInterrupted),
                static_cast<unsigned long long>(input.quitsLetThrough));
    std::printf("velmora-soak: %.2f virtual hours, %llu frames, %llu restarts, %llu invariant violations, "
                "at most %u quads in a frame, memory growth after the first sample %.1f MB\n",
                report.virtualHours, static_cast<unsigned long long>(report.frames),
                static_cast<unsigned long long>(report.restarts), static_cast<unsigned long long>(report.violations),
                report.mostQuadsInAFrame, report.growthAfterFirstSample() / kBytesPerMb);
}

}  // namespace

int main(int argc, char** argv) {
    std::string error;
    const auto options = parseSoakOptions(argc, argv, error);
    if (!options) {
        std::fputs(kSoakUsage, error.empty() ? stdout : stderr);
        if (error.empty()) return 0;
        std::fprintf(stderr, "velmora-soak: %s\n", error.c_str());
        return 2;
    }
    std::error_code changed;
    std::filesystem::current_path(options->dataDir, changed);
    if (changed) {
        std::fprintf(stderr, "velmora-soak: cannot enter the data folder %s: %s\n", options->dataDir.c_str(),
                     changed.message().c_str());
        return 2;
    }
    const SoakReport report = runSoak(*options, printSample);
    printReport(report);
    const bool memoryHeld = report.growthAfterFirstSample() <= options->maxGrowthMb * kBytesPerMb;
    if (!memoryHeld) std::printf("velmora-soak: memory grew by more than %.1f MB\n", options->maxGrowthMb);
    return report.violations == 0 && memoryHeld ? 0 : 1;
}
