// What the program itself spends on one frame of each screen: every active
// scene's update (with the quads it submits and the audio calls it makes) and
// the drawing pass (the renderer's sort, build and draw calls), on the software
// device recording only. The shipped disk runs in the headless world, so the
// frames are the real ones; what a frame waits for (the pacing sleep, during
// which the virtual audio output mixes its 20 ms) is outside the timed part,
// as it lies outside the program's work in the real one.
#include "app/frame_timer.h"
#include "app/input_state.h"
#include "app/scene_manager.h"
#include "disk/global_initialization_scene.h"
#include "disk/playlist.h"
#include "display/window.h"
#include "gui/gui_system.h"
#include "platform/bass_headless.h"
#include "platform/headless.h"
#include "platform/soft_device.h"
#include "platform/win32.h"
#include "scenes/about_scene.h"
#include "scenes/fading_scene.h"
#include "scenes/info_scene.h"
#include "scenes/intro_scene.h"
#include "scenes/kevo_scene.h"
#include "scenes/main_scene.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <filesystem>

namespace {

constexpr DWORD kFrameMs = 20;
// Long enough for any cross-fade to end, so that only the screen measured is active.
constexpr int kSettleFrames = 80;
constexpr int kFramesPerRun = 2000;

// The shipped disk, loaded once, with the six screens built as the program builds them.
class HeadlessDisk {
public:
    static HeadlessDisk& instance() {
        static HeadlessDisk disk;
        return disk;
    }

    // Switches to the screen as a user would and lets the switch's fades end.
    void show(std::uint32_t screen) {
        if (manager->currentScene != screen) manager->requestScene(screen);
        for (int i = 0; i < kSettleFrames; ++i) frame();
    }

    // One frame; returns the seconds the program worked in it.
    double frame() {
        waitForNextFrame();
        const auto start = std::chrono::steady_clock::now();
        enterRequestedScene();
        for (Scene* scene : manager->scenes)
            if (scene && scene->active) scene->update();
        drawPass();
        const auto end = std::chrono::steady_clock::now();
        return std::chrono::duration<double>(end - start).count();
    }

    // The logo and the intro leave on their own after a few seconds; to measure
    // them for longer, the clock's start moves on with every frame, so that each
    // frame lasts 20 ms while the time shown on the screen stands still.
    void holdTheClock(bool hold) { holdingClock = hold; }

    std::size_t quadsLastFrame() const {
        std::size_t triangles = 0;
        for (const softgfx::Record& call : softgfx::callsOf(softgfx::Op::DrawIndexedPrimitive))
            triangles += call.primitiveCount;
        return triangles / 2;
    }

private:
    HeadlessDisk() {
        std::filesystem::current_path(VELMORA_DATA_ROOT);
        headless::reset();
        headless::setFrameCost(0);
        bass_headless::reset();
        softgfx::reset();
        softgfx::setRasterizing(false);
        softgfx::setLogPerFrame(true);

        manager = SceneManager::instance();
        Window::instance();
        manager->running = true;
        GuiSystem::instance();
        manager->scenes = {new GlobalInitializationScene(), new KevoScene(), new IntroScene(),
                           new MainScene(),                 new AboutScene(), new InfoScene()};
        manager->scenes[kKevoScene]->enter();
        manager->currentScene = manager->requestedScene = kKevoScene;
    }

    void waitForNextFrame() {
        InputState::instance()->snapshot();
        headless::advance(kFrameMs);
        FrameTimer* timer = FrameTimer::instance();
        timer->update();
        if (holdingClock) timer->startTick += kFrameMs;
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    }

    void enterRequestedScene() {
        if (manager->requestedScene == manager->currentScene) return;
        manager->scenes[manager->requestedScene]->enter();
        manager->currentScene = manager->requestedScene;
    }

    static void drawPass() {
        IDirect3DDevice9* device = Window::instance()->device;
        device->BeginScene();
        device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0x00000000, 1.0f, 0);
        GuiSystem::draw();
        device->EndScene();
        device->Present(nullptr, nullptr, nullptr, nullptr);
    }

    SceneManager* manager = nullptr;
    bool holdingClock = false;
};

void measureScreen(benchmark::State& state, std::uint32_t screen, bool holdClock) {
    HeadlessDisk& disk = HeadlessDisk::instance();
    disk.holdTheClock(holdClock);
    disk.show(screen);
    for (auto _ : state) state.SetIterationTime(disk.frame());
    state.counters["quads"] = static_cast<double>(disk.quadsLastFrame());
    if (screen == kMainScene) state.counters["equalizer"] = playlist.playing && playlist.equalizerOn;
}

void logo(benchmark::State& state) { measureScreen(state, kKevoScene, true); }
void intro(benchmark::State& state) { measureScreen(state, kIntroScene, true); }
void mainWithEqualizer(benchmark::State& state) { measureScreen(state, kMainScene, false); }
void about(benchmark::State& state) { measureScreen(state, kAboutScene, false); }
void info(benchmark::State& state) { measureScreen(state, kInfoScene, false); }

}  // namespace

// In the order a user meets the screens, since each one is reached from the one before.
BENCHMARK(logo)->UseManualTime()->Iterations(kFramesPerRun)->Unit(benchmark::kMicrosecond);
BENCHMARK(intro)->UseManualTime()->Iterations(kFramesPerRun)->Unit(benchmark::kMicrosecond);
BENCHMARK(mainWithEqualizer)->UseManualTime()->Iterations(kFramesPerRun)->Unit(benchmark::kMicrosecond);
BENCHMARK(about)->UseManualTime()->Iterations(kFramesPerRun)->Unit(benchmark::kMicrosecond);
BENCHMARK(info)->UseManualTime()->Iterations(kFramesPerRun)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
