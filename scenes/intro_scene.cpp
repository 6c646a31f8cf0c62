#include "scenes/intro_scene.h"

#include "app/frame_timer.h"
#include "app/input_state.h"
#include "app/scene_manager.h"
#include "disk/playlist.h"
#include "gui/gui_renderer.h"
#include "platform/win32.h"

namespace {
constexpr float kLeaveAfterSeconds = 6.0f;
}  // namespace

void IntroScene::update() {
    fade();
    // Equal depths draw in submission order, so the picture lies over the background.
    drawQuad(playlist.atlasTexture, -1.0f, -1.0f, 2.0f, 2.0f, 0.0f, 0.0f, 0.7979f, 0.3105f, 1.0f, 1.0f, 1.0f, alpha);
    drawQuad(playlist.atlasTexture, -0.35f, -0.5f, 1.3f, 1.1f, 0.453f, 0.484f, 0.955f, 0.64f, 1.0f, 1.0f, 1.0f,
             alpha);
    if (fadingOut || !active) return;
    if (FrameTimer::instance()->elapsed > kLeaveAfterSeconds || InputState::instance()->keyReleased(VK_ESCAPE))
        SceneManager::instance()->requestScene(kMainScene);
}
