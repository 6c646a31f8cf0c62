#include "scenes/info_scene.h"

#include "app/input_state.h"
#include "app/scene_manager.h"
#include "disk/player_controls.h"
#include "disk/playlist.h"
#include "gui/gui_renderer.h"
#include "gui/text.h"

namespace {

struct HelpLine {
    const char* text;
    float x;
    float y;
};

constexpr HelpLine kHelp[] = {
    {"Play/Stop - Enter", -0.375f, 0.35f},
    {"Pause - P", -0.375f, 0.23f},
    {"Skip Track Forward - Cursor Right", -0.38f, 0.11f},
    {"Skip Track Backward - Cursor Left", -0.38f, -0.01f},
    {"About - A", -0.38f, -0.13f},
    {"Info - I", -0.38f, -0.25f},
    {"Exit - Esc", -0.38f, -0.37f},
    {"Eq on/off - E", -0.38f, -0.49f},
    {"Scrolltext Speed - +/-", -0.383f, -0.61f},
};

constexpr float kHelpTextSize = 0.037f;

void picture(float x, float y, float w, float h, float l, float t, float r, float b, float alpha) {
    drawQuad(playlist.atlasTexture, x, y, w, h, l, t, r, b, 1.0f, 1.0f, 1.0f, alpha);
}

}  // namespace

InfoScene::InfoScene() : PlayerScene(kInfoScene) {}

void InfoScene::update() {
    PlayerControls::fadeStep(*this);
    PlayerControls::advanceIfEnded(*this);
    PlayerControls::handlePlayerKeys(*this);
    picture(-1.0f, -1.0f, 2.0f, 2.0f, 0.0f, 0.0f, 0.7979f, 0.3105f, alpha);
    if (InputState::instance()->buttonReleased(0)) SceneManager::instance()->requestScene(kMainScene);
    picture(0.46f, -0.95f, 0.43f, 0.177f, 0.0f, 0.361f, 0.146f, 0.381f, alpha);
    picture(0.65f, -0.8f, 0.35f, 1.55f, 0.86621f, 0.015625f, 0.99218f, 0.2871f, alpha);
    picture(-0.4f, 0.5f, 0.3f, 0.2f, 0.3203f, 0.95703f, 0.4746f, 0.999f, alpha);
    for (const HelpLine& line : kHelp) drawText(line.text, line.x, line.y, kHelpTextSize, {1.0f, 1.0f, 1.0f, alpha});
    PlayerControls::quitOnEscape(*this);
}
