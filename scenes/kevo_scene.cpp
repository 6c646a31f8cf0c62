#include "scenes/kevo_scene.h"

#include "app/frame_timer.h"
#include "app/input_state.h"
#include "app/scene_manager.h"
#include "disk/playlist.h"
#include "gui/gui_renderer.h"
#include "platform/win32.h"

namespace {
constexpr float kLeaveAfterSeconds = 3.0f;
}  // namespace

void KevoScene::update() {
    fade();
    drawQuad(playlist.atlasTexture, -0.35f, -0.35f, 0.7f, 0.7f, 0.6982421875f, 0.646484375f, 0.9999f, 0.771484375f,
             1.0f, 1.0f, 1.0f, alpha);
    if (fadingOut || !active) return;
    if (FrameTimer::instance()->elapsed > kLeaveAfterSeconds || InputState::instance()->keyReleased(VK_ESCAPE))
        SceneManager::instance()->requestScene(kIntroScene);
}
