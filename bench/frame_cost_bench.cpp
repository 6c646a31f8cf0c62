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

#include <array>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <span>
#include <vector>

namespace {

constexpr DWORD kFrameMs = 20;
// Long enough for any cross-fade to end, so that only the screen measured is active.
constexpr int kSettleFrames = 80;
constexpr int kFramesPerRun = 2000;

// Pixels the frame's triangles cover, counting overlaps, in units of the whole
// back buffer: what a software rasterizer fills per frame, which the graphics
// floor can then be asked to fill too.
namespace coverage {

using Point = std::array<double, 2>;  // clip-space x, y
using Polygon = std::vector<Point>;

// The part of the polygon on the inner side of one edge of the clip square
// [-1, 1]^2, the edge being x or y (axis 0 or 1) = bound (Sutherland-Hodgman).
Polygon clipEdge(const Polygon& polygon, int axis, double bound) {
    const auto inside = [&](const Point& p) { return bound < 0 ? p[axis] >= bound : p[axis] <= bound; };
    Polygon kept;
    for (std::size_t i = 0; i < polygon.size(); ++i) {
        const Point& from = polygon[i];
        const Point& to = polygon[(i + 1) % polygon.size()];
        if (inside(from)) kept.push_back(from);
        if (inside(from) == inside(to)) continue;
        const double t = (bound - from[axis]) / (to[axis] - from[axis]);
        Point crossing;
        for (int k = 0; k < 2; ++k) crossing[k] = from[k] + t * (to[k] - from[k]);
        crossing[axis] = bound;
        kept.push_back(crossing);
    }
    return kept;
}

Polygon clipToScreen(Polygon polygon) {
    for (const int axis : {0, 1})
        for (const double bound : {-1.0, 1.0}) polygon = clipEdge(polygon, axis, bound);
    return polygon;
}

double area(const Polygon& polygon) {
    double twice = 0;
    for (std::size_t i = 0; i < polygon.size(); ++i) {
        const Point& a = polygon[i];
        const Point& b = polygon[(i + 1) % polygon.size()];
        twice += a[0] * b[1] - b[0] * a[1];
    }
    return std::abs(twice) / 2;
}

Point positionOf(std::span<const std::byte> vertices, std::size_t stride, std::size_t index) {
    float xy[2];
    std::memcpy(xy, vertices.data() + index * stride, sizeof xy);  // clip-space x, y come first
    return {xy[0], xy[1]};
}

std::size_t indexAt(std::span<const std::byte> indices, D3DFORMAT format, std::size_t at) {
    if (format == D3DFMT_INDEX32) {
        std::uint32_t index;
        std::memcpy(&index, indices.data() + at * sizeof index, sizeof index);
        return index;
    }
    std::uint16_t index;
    std::memcpy(&index, indices.data() + at * sizeof index, sizeof index);
    return index;
}

// The clip square has area 4; the frame's triangles, clipped to it, over that.
double layersOf(const std::vector<softgfx::Record>& frame) {
    std::size_t stride = 0;
    double covered = 0;
    for (const softgfx::Record& call : frame) {
        if (call.op == softgfx::Op::SetStreamSource) stride = call.value;
        if (call.op != softgfx::Op::DrawIndexedPrimitive || call.primitiveType != D3DPT_TRIANGLELIST) continue;
        const auto vertices = softgfx::contents(const_cast<IDirect3DVertexBuffer9*>(call.vertexBuffer));
        const auto indices = softgfx::contents(const_cast<IDirect3DIndexBuffer9*>(call.indexBuffer));
        for (UINT triangle = 0; triangle < call.primitiveCount; ++triangle) {
            Polygon corners;
            for (UINT corner = 0; corner < 3; ++corner) {
                const std::size_t index =
                    call.baseVertexIndex + indexAt(indices, call.indexFormat, call.startIndex + 3 * triangle + corner);
                corners.push_back(positionOf(vertices, stride, index));
            }
            covered += area(clipToScreen(corners));
        }
    }
    return covered / 4;
}

}  // namespace coverage

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

    double layersLastFrame() const { return coverage::layersOf(softgfx::calls()); }

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
    state.counters["layers"] = disk.layersLastFrame();
    state.counters["draws"] = static_cast<double>(softgfx::countOf(softgfx::Op::DrawIndexedPrimitive));
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
