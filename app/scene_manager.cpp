#include "app/scene_manager.h"

#include "app/frame_timer.h"
#include "app/input_state.h"
#include "disk/global_initialization_scene.h"
#include "display/window.h"
#include "gui/gui_renderer.h"
#include "gui/gui_system.h"
#include "platform/win32.h"
#include "scenes/about_scene.h"
#include "scenes/info_scene.h"
#include "scenes/intro_scene.h"
#include "scenes/kevo_scene.h"
#include "scenes/main_scene.h"

namespace {

constexpr DWORD kLostDeviceWaitMs = 100;
constexpr float kFrameSeconds = 0.02f;

SceneManager* sceneManager = nullptr;

}  // namespace

SceneManager* SceneManager::instance() {
    if (!sceneManager) sceneManager = new SceneManager();
    return sceneManager;
}

void SceneManager::run() {
    // Without a device the window has told the user why; there is nothing to show.
    if (!Window::instance()->device) {
        Window::instance()->release();
        Window::destroy();
        return;
    }
    running = true;
    GuiSystem::instance();
    buildScenes();

    scenes[kKevoScene]->enter();
    currentScene = requestedScene = kKevoScene;

    bool deviceLost = false;
    while (running) runFrame(deviceLost);

    tearDown();
}

void SceneManager::requestScene(std::uint32_t index) {
    if (index == currentScene) return;
    requestedScene = index;
    scenes[currentScene]->leave();
}

void SceneManager::buildScenes() {
    if (sceneFactory) {
        scenes = sceneFactory();
        return;
    }
    scenes.push_back(new GlobalInitializationScene());
    scenes.push_back(new KevoScene());
    scenes.push_back(new IntroScene());
    scenes.push_back(new MainScene());
    scenes.push_back(new AboutScene());
    scenes.push_back(new InfoScene());
}

void SceneManager::runFrame(bool& deviceLost) {
    if (deviceLost && !recoverDevice(deviceLost)) {
        // The device cannot be used yet; keep listening, so that a close request still ends the program.
        pumpMessages();
        return;
    }
    if (requestedScene != currentScene) {
        scenes[requestedScene]->enter();
        currentScene = requestedScene;
    }
    const bool anyActive = updateActiveScenes();
    paceFrame();
    if (!anyActive) running = false;
    InputState::instance()->snapshot();
    FrameTimer::instance()->update();
    pumpMessages();
    drawFrame(deviceLost);
    ++frameCount;
    if (frameObserver) frameObserver();
}

// Returns true when the device is usable again. A device that is not ready, or
// whose reset failed, is tried again after a pause.
bool SceneManager::recoverDevice(bool& deviceLost) {
    Window* window = Window::instance();
    const HRESULT level = window->device->TestCooperativeLevel();
    bool usable = SUCCEEDED(level);
    if (level == D3DERR_DEVICENOTRESET) {
        D3DPRESENT_PARAMETERS parameters = window->presentParameters;
        usable = SUCCEEDED(window->device->Reset(&parameters));
    }
    if (!usable) {
        Sleep(kLostDeviceWaitMs);
        return false;
    }
    GuiSystem::renderer->onDeviceReset();
    deviceLost = false;
    return true;
}

bool SceneManager::updateActiveScenes() {
    bool anyActive = false;
    for (Scene* scene : scenes) {
        if (scene && scene->active) {
            scene->update();
            anyActive = true;
        }
    }
    return anyActive;
}

// Frames last at least 20 ms. What counts is the time since the clock's last
// update, so that the sleep of one frame is not taken for work of the next: a
// frame that only sleeps would otherwise let the following one run at once.
// The first frame has no frame before it to keep apart from, and is shown at once.
void SceneManager::paceFrame() {
    if (frameCount == 0) return;
    const FrameTimer* timer = FrameTimer::instance();
    const auto sinceUpdate = static_cast<std::int32_t>(GetTickCount() - timer->lastTick);
    const double frameSoFar = static_cast<double>(sinceUpdate) / 1000.0;
    if (frameSoFar < kFrameSeconds) Sleep(static_cast<DWORD>((static_cast<double>(kFrameSeconds) - frameSoFar) * 1000.0));
}

void SceneManager::pumpMessages() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) running = false;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

void SceneManager::drawFrame(bool& deviceLost) {
    IDirect3DDevice9* device = Window::instance()->device;
    if (!device) return;
    if (FAILED(device->BeginScene())) return;
    device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0x00000000, 1.0f, 0);
    GuiSystem::draw();
    device->EndScene();
    if (FAILED(device->Present(nullptr, nullptr, nullptr, nullptr))) {
        deviceLost = true;
        // A lost device resets only once its default-pool resources are gone.
        GuiSystem::renderer->onDeviceLost();
    }
}

void SceneManager::tearDown() {
    for (Scene*& scene : scenes) {
        delete scene;
        scene = nullptr;
    }
    scenes.clear();
    FrameTimer::destroy();
    InputState::destroy();
    Window::instance()->release();
    Window::destroy();
    GuiSystem::release();
    GuiSystem::destroy();
}
