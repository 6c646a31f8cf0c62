// What one frame of the quad renderer costs (sorting by depth, writing the
// vertices, forming the batches), beside the cost of only copying the same
// vertex bytes. Run from the repository root, where data/gui.fx is.
#include "gui/gui_system.h"
#include "platform/soft_device.h"
#include "tests/gui/stand_ins.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <ctime>
#include <vector>

namespace {

double threadCpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// A frame as the screens submit it: a few layers of depth, textures in runs.
std::vector<GuiQuad> frameOf(int quadCount, IDirect3DTexture9* first, IDirect3DTexture9* second) {
    std::vector<GuiQuad> quads;
    quads.reserve(static_cast<std::size_t>(quadCount));
    const float depths[] = {1.0f, 0.9f, 0.5f, 0.1f};
    for (int k = 0; k < quadCount; ++k) {
        const float depth = depths[(k * 7) % 4];
        IDirect3DTexture9* texture = (k / 16) % 2 ? first : second;
        quads.push_back({1, 1, 1, 1, 0, 0, 1, 1, -1.0f + 0.0001f * static_cast<float>(k % 2000), 0, 0.01f, 0.01f,
                         texture, depth});
    }
    return quads;
}

void sortAndBuild(benchmark::State& state) {
    IDirect3DDevice9* device = standInDevice();
    if (!device) {
        state.SkipWithError("no software device");
        return;
    }
    softgfx::setRasterizing(false);
    softgfx::setLogPerFrame(true);
    GuiSystem::instance();
    IDirect3DTexture9* textures[2] = {};
    for (IDirect3DTexture9*& texture : textures)
        device->CreateTexture(1, 1, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &texture, nullptr);
    const auto frame = frameOf(static_cast<int>(state.range(0)), textures[0], textures[1]);

    // The frame is timed whole; the drawing pass alone (sort, build and the
    // draw calls, without the submissions) is counted apart in processor time.
    double drawSeconds = 0.0;
    for (auto _ : state) {
        device->BeginScene();
        for (const GuiQuad& quad : frame) GuiSystem::renderer->submit(quad);
        const double drawStart = threadCpuSeconds();
        GuiSystem::draw();
        drawSeconds += threadCpuSeconds() - drawStart;
        device->EndScene();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
    state.counters["draw_cpu_us"] = benchmark::Counter(drawSeconds * 1e6 / static_cast<double>(state.iterations()));

    GuiSystem::release();
    GuiSystem::destroy();
    for (IDirect3DTexture9* texture : textures) texture->Release();
    softgfx::setLogPerFrame(false);
}

void copyVertexBytes(benchmark::State& state) {
    const std::size_t bytes = static_cast<std::size_t>(state.range(0)) * 4 * sizeof(GuiVertex);
    std::vector<std::byte> from(bytes, std::byte{1});
    std::vector<std::byte> to(bytes);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), bytes);
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

}  // namespace

BENCHMARK(sortAndBuild)->Arg(300)->Arg(16384)->Arg(100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(copyVertexBytes)->Arg(300)->Arg(16384)->Arg(100000)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
