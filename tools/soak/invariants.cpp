#include "tools/soak/invariants.h"

#include "app/frame_timer.h"
#include "app/scene_manager.h"
#include "disk/playlist.h"
#include "platform/bass.h"
#include "platform/headless.h"
#include "platform/soft_device.h"
#include "scenes/about_scene.h"
#include "scenes/fading_scene.h"
#include "scenes/main_scene.h"

#include <cmath>

namespace {

constexpr std::size_t kExamplesKept = 20;
// The busiest frame of the disk (a cross-fade of the main screen with another)
// draws well under a thousand quads; ten times that means something piles up.
constexpr std::uint32_t kMostQuadsPerFrame = 10000;
// Particles wrap just beyond the window's edges (x and y within -1..1).
constexpr float kParticleReach = 2.0f;
// A frame may wait for a window drag; none of the soak's lasts this long.
constexpr float kLongestDelta = 5.0f;

bool within(float value, float low, float high) { return std::isfinite(value) && value >= low && value <= high; }

bool finite(const Particle& p) {
    return std::isfinite(p.field1) && std::isfinite(p.field2) && std::isfinite(p.field3) && std::isfinite(p.field4) &&
           std::isfinite(p.field5);
}

template <typename SceneType>
SceneType* sceneAt(std::uint32_t index) {
    const auto& scenes = SceneManager::instance()->scenes;
    return index < scenes.size() ? dynamic_cast<SceneType*>(scenes[index]) : nullptr;
}

}  // namespace

void InvariantChecker::check() {
    ++frames;
    checkScreens();
    checkPlaylist();
    checkParticles();
    checkClockAndVolume();
    checkQuads();
}

void InvariantChecker::expect(bool holds, const std::string& what) {
    if (holds) return;
    ++broken;
    if (examples.size() < kExamplesKept)
        examples.push_back("frame " + std::to_string(frames) + " at " + std::to_string(headless::sinceStart()) +
                           " ms: " + what);
}

void InvariantChecker::checkScreens() {
    for (std::uint32_t index = kKevoScene; index <= kInfoScene; ++index) {
        const FadingScene* screen = sceneAt<FadingScene>(index);
        expect(screen != nullptr, "screen " + std::to_string(index) + " is missing");
        if (screen) expect(within(screen->alpha, 0.0f, 1.0f), "alpha of screen " + std::to_string(index) + " is " +
                                                                 std::to_string(screen->alpha));
    }
}

void InvariantChecker::checkPlaylist() {
    expect(playlist.trackCount > 0, "no tracks");
    expect(playlist.currentTrack >= 0 && playlist.currentTrack < playlist.trackCount,
           "currentTrack " + std::to_string(playlist.currentTrack) + " of " + std::to_string(playlist.trackCount));
    expect(playlist.volumeStep >= 0 && playlist.volumeStep <= 10, "volumeStep " + std::to_string(playlist.volumeStep));
    // The keypad's + and - change the speeds without bounds, so only finiteness holds for them and what they move.
    expect(std::isfinite(playlist.titleScrollSpeed), "titleScrollSpeed is not finite");
    for (float offset : playlist.titleOffsets) expect(std::isfinite(offset), "a title offset is not finite");
    expect(std::isfinite(AboutScene::scrollSpeed) && std::isfinite(AboutScene::scrollOffset),
           "the about text's speed or offset is not finite");
}

void InvariantChecker::checkParticles() {
    if (const MainScene* main = sceneAt<MainScene>(kMainScene)) {
        for (const Particle& p : main->particles)
            expect(finite(p) && within(p.field1, -kParticleReach, kParticleReach), "a main screen particle at x " +
                                                                                       std::to_string(p.field1));
    }
    if (const AboutScene* about = sceneAt<AboutScene>(kAboutScene)) {
        for (const Particle& p : about->particles)
            expect(finite(p) && within(p.field2, -kParticleReach, kParticleReach), "an about screen particle at y " +
                                                                                        std::to_string(p.field2));
    }
}

void InvariantChecker::checkClockAndVolume() {
    const FrameTimer* timer = FrameTimer::instance();
    expect(within(timer->delta, 0.0f, kLongestDelta), "delta " + std::to_string(timer->delta));
    expect(std::isfinite(timer->elapsed), "elapsed is not finite");
    const DWORD volume = BASS_GetVolume();
    expect(volume <= 100, "master volume " + std::to_string(volume));
}

void InvariantChecker::checkQuads() {
    std::uint32_t quads = 0;
    for (const softgfx::Record& call : softgfx::calls())
        if (call.op == softgfx::Op::DrawIndexedPrimitive) quads += call.primitiveCount / 2;
    if (quads > mostQuads) mostQuads = quads;
    expect(quads <= kMostQuadsPerFrame, std::to_string(quads) + " quads in one frame");
}
