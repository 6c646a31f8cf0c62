#include "tests/screens/disk_run.h"

#include "gui/button.h"
#include "gui/gui_renderer.h"
#include "platform/bass_headless.h"
#include "platform/headless.h"
#include "platform/soft_device.h"
#include "scenes/about_scene.h"

#include <cstring>
#include <filesystem>

namespace {

constexpr DWORD kKeyTapMs = 40;
constexpr float kAspect = 820.0f / 320.0f;

// Every quad of the frame lies in the one vertex buffer, four vertices each;
// the draw calls say which texture covered which run of them.
std::vector<GuiVertex> frameVertices() {
    const auto binds = softgfx::callsOf(softgfx::Op::SetStreamSource);
    if (binds.empty() || !binds.back().object) return {};
    auto* buffer = const_cast<IDirect3DVertexBuffer9*>(static_cast<const IDirect3DVertexBuffer9*>(binds.back().object));
    const auto bytes = softgfx::contents(buffer);
    std::vector<GuiVertex> vertices(bytes.size() / sizeof(GuiVertex));
    std::memcpy(vertices.data(), bytes.data(), vertices.size() * sizeof(GuiVertex));
    return vertices;
}

DrawnQuad quadFrom(const GuiVertex* v, const void* texture) {
    const GuiVertex& lowerLeft = v[0];
    const GuiVertex& upperRight = v[2];
    return {lowerLeft.x,   lowerLeft.y,   upperRight.x - lowerLeft.x, upperRight.y - lowerLeft.y,
            lowerLeft.u,   upperRight.v,  upperRight.u,               lowerLeft.v,
            lowerLeft.r,   lowerLeft.g,   lowerLeft.b,                lowerLeft.a,
            lowerLeft.z,   texture};
}

}  // namespace

DiskRun::DiskRun() {
    // The disk reads data/ from the current folder, as the program does.
    std::filesystem::current_path(VELMORA_DATA_ROOT);
    headless::reset();
    softgfx::reset();
    bass_headless::reset();
    softgfx::setLogPerFrame(true);
    softgfx::setRasterizing(false);
    hotId = 0;
    activeId = 0;
    // The about text keeps its place from visit to visit for the whole process;
    // each run starts from the first visit's.
    AboutScene::scrollOffset = 0.3f;
    AboutScene::scrollSpeed = -0.08f;
    SceneManager* manager = SceneManager::instance();
    manager->sceneFactory = nullptr;
    manager->frameObserver = nullptr;
    manager->frameCount = 0;
}

DiskRun::~DiskRun() {
    SceneManager::instance()->frameObserver = nullptr;
    softgfx::reset();
    bass_headless::reset();
    headless::reset();
}

void DiskRun::tap(DWORD atMs, WPARAM key) { hold(atMs, atMs + kKeyTapMs, key); }

void DiskRun::hold(DWORD fromMs, DWORD toMs, WPARAM key) {
    headless::scheduleKey(fromMs, key, true);
    headless::scheduleKey(toMs, key, false);
}

void DiskRun::click(DWORD atMs, int x, int y) {
    headless::scheduleMouseMove(atMs, x, y);
    headless::scheduleButton(atMs + kKeyTapMs, WM_LBUTTONDOWN);
    headless::scheduleButton(atMs + 2 * kKeyTapMs, WM_LBUTTONUP);
}

void DiskRun::run(double seconds, const std::function<void()>& everyFrame) {
    headless::setTimeLimit(static_cast<DWORD>(seconds * 1000.0));
    SceneManager::instance()->frameObserver = everyFrame;
    SceneManager::instance()->run();
    SceneManager::instance()->frameObserver = nullptr;
}

DWORD nowMs() { return headless::sinceStart(); }

bool isActive(SceneIndex index) {
    const Scene* scene = SceneManager::instance()->scenes.at(index);
    return scene && scene->active;
}

bool isCurrent(SceneIndex index) { return SceneManager::instance()->currentScene == index; }

std::vector<DrawnQuad> drawnQuads() {
    const std::vector<GuiVertex> vertices = frameVertices();
    std::vector<DrawnQuad> quads;
    for (const softgfx::Record& call : softgfx::callsOf(softgfx::Op::DrawIndexedPrimitive)) {
        const std::size_t first = call.startIndex / 6;
        const std::size_t count = call.primitiveCount / 2;
        for (std::size_t k = first; k < first + count && 4 * k + 3 < vertices.size(); ++k)
            quads.push_back(quadFrom(&vertices[4 * k], call.texture));
    }
    return quads;
}

std::vector<DrawnQuad> drawnQuadsWithTexRect(float texLeft, float texTop) {
    std::vector<DrawnQuad> found;
    for (const DrawnQuad& quad : drawnQuads())
        if (quad.hasTexRect(texLeft, texTop)) found.push_back(quad);
    return found;
}

Pixel buttonCentre(float x, float y, float w, float h) {
    const float centreX = x + w / 2.0f;
    const float centreY = y + h * kAspect / 2.0f;
    return {static_cast<int>((centreX + 1.0f) / 2.0f * 820.0f), static_cast<int>((1.0f - centreY) / 2.0f * 320.0f)};
}
