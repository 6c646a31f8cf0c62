#include "tools/soak/soak_run.h"

#include "app/scene_manager.h"
#include "platform/bass_headless.h"
#include "platform/headless.h"
#include "platform/soft_device.h"
#include "tools/soak/resident_memory.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kMsPerHour = 3600.0 * 1000.0;

// A fresh headless world whose clock goes on from `tick`, for `limitMs` more.
void startWorld(DWORD tick, DWORD limitMs) {
    headless::reset();
    headless::setStartTick(tick);
    headless::setTimeLimit(limitMs);
    softgfx::reset();
    softgfx::setLogPerFrame(true);
    // Nothing looks at the pictures; the device still records every call.
    softgfx::setRasterizing(false);
    bass_headless::reset();
}

}  // namespace

std::int64_t SoakReport::growthAfterFirstSample() const {
    if (memory.size() < 2) return 0;
    const auto later = std::max_element(memory.begin() + 1, memory.end(), [](const auto& a, const auto& b) {
        return a.residentBytes < b.residentBytes;
    });
    return static_cast<std::int64_t>(later->residentBytes) - static_cast<std::int64_t>(memory.front().residentBytes);
}

SoakReport runSoak(const SoakOptions& options, const std::function<void(const MemorySample&)>& onSample) {
    const auto totalMs = static_cast<DWORD>(std::llround(options.hours * kMsPerHour));
    const double sampleMs = options.sampleMinutes * 60.0 * 1000.0;
    RandomInput input(options.seed);
    InvariantChecker invariants;
    SoakReport report;
    SceneManager* manager = SceneManager::instance();

    DWORD doneMs = 0;  // virtual time of the runs that have ended
    double nextSampleMs = sampleMs;
    DWORD tick = options.startTick;
    manager->frameCount = 0;
    manager->frameObserver = [&] {
        invariants.check();
        const DWORD sinceStart = headless::sinceStart();
        input.step(sinceStart, manager->currentScene);
        const double totalSoFar = static_cast<double>(doneMs) + sinceStart;
        if (totalSoFar < nextSampleMs) return;
        report.memory.push_back({totalSoFar / kMsPerHour, manager->frameCount, residentBytes()});
        onSample(report.memory.back());
        nextSampleMs += sampleMs;
    };

    for (;;) {
        startWorld(tick, totalMs - doneMs);
        input.restart();
        manager->run();
        doneMs += headless::sinceStart();
        tick = headless::now();
        if (headless::timedOut() || doneMs >= totalMs) break;
        ++report.restarts;
    }
    manager->frameObserver = nullptr;

    report.virtualHours = doneMs / kMsPerHour;
    report.frames = manager->frameCount;
    report.violations = invariants.violations();
    report.mostQuadsInAFrame = invariants.mostQuadsInAFrame();
    report.firstViolations = invariants.firstViolations();
    report.input = input.counts();
    return report;
}
