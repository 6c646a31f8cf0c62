#include "scenes/about_scene.h"

#include "app/frame_timer.h"
#include "app/input_state.h"
#include "app/scene_manager.h"
#include "disk/player_controls.h"
#include "disk/playlist.h"
#include "gui/gui_renderer.h"
#include "gui/screen_ratio.h"
#include "gui/text.h"
#include "platform/win32.h"

float AboutScene::scrollOffset = 0.3f;
float AboutScene::scrollSpeed = -0.08f;

namespace {

constexpr int kParticleCount = 50;
constexpr float kSpeedChangePerSecond = 0.2f;
constexpr float kTextRestart = 1.0f;

void picture(float x, float y, float w, float h, float l, float t, float r, float b, float alpha, float depth) {
    drawQuadDepth(playlist.atlasTexture, x, y, w, h, l, t, r, b, 1.0f, 1.0f, 1.0f, alpha, depth);
}

double unit(int r) { return static_cast<double>(r) / 32767.0; }

}  // namespace

AboutScene::AboutScene() : PlayerScene(kAboutScene) {}

void AboutScene::enter() {
    PlayerScene::enter();
    scatterParticles();
}

void AboutScene::scatterParticles() {
    particles.clear();
    ParticleSeeder seeder(static_cast<std::uint32_t>(static_cast<std::int32_t>(FrameTimer::instance()->elapsed * 1000.0f)));
    for (std::uint32_t i = 0; i < kParticleCount; ++i) {
        Particle p{};
        p.field1 = static_cast<float>(unit(seeder.draw(i)) * 2.0 - 1.0);
        p.field2 = static_cast<float>(unit(seeder.draw(i)) * 2.0 - 1.0);
        p.field3 = 0.0f;
        p.field4 = static_cast<float>(seeder.draw(i) * 7.0 / 32767.0 + static_cast<double>(0.7f));
        p.field5 = static_cast<float>(unit(seeder.draw(i)) * static_cast<double>(0.08f) + static_cast<double>(0.02f));
        particles.push_back(p);
    }
}

void AboutScene::update() {
    PlayerControls::fadeStep(*this);
    PlayerControls::advanceIfEnded(*this);
    PlayerControls::handlePlayerKeys(*this);
    picture(-1.0f, -1.0f, 2.0f, 2.0f, 0.0f, 0.0f, 0.7979f, 0.3105f, alpha, 1.0f);
    if (InputState::instance()->buttonReleased(0)) SceneManager::instance()->requestScene(kMainScene);
    picture(-0.3f, -0.2f, 1.2f, 1.0f, 0.0f, 0.488f, 0.449f, 0.625f, alpha, 0.2f);
    picture(0.46f, -0.95f, 0.43f, 0.177f, 0.0f, 0.361f, 0.146f, 0.381f, alpha, 1.0f);
    scrollText();
    fallParticles();
    picture(-0.23f, -0.698f, 1.0400390625f, screenAspect() * 0.27462885f, 0.30644f, 0.81445f, 0.72266f, 0.920898f,
            alpha, 0.5f);
    PlayerControls::quitOnEscape(*this);
}

void AboutScene::scrollText() {
    const InputState* input = InputState::instance();
    const float delta = FrameTimer::instance()->delta;
    if (input->keyHeld(VK_ADD)) scrollSpeed -= delta * kSpeedChangePerSecond;
    if (input->keyHeld(VK_SUBTRACT)) scrollSpeed += delta * kSpeedChangePerSecond;
    scrollOffset += delta * scrollSpeed;
    drawTextBlock(playlist.scrollText, -0.2f, -0.12f, 0.033f, 0.75f, 0.55f, scrollOffset, {1.0f, 1.0f, 1.0f, alpha});
    // Once the whole text has passed above the box it rises into it again from below.
    if (scrollOffset < playlist.scrollTextHeight) scrollOffset = kTextRestart;
}

void AboutScene::fallParticles() {
    const float delta = FrameTimer::instance()->delta;
    const float aspect = screenAspect();
    for (Particle& p : particles) {
        float& y = p.field2;
        const float size = p.field5;
        const float height = size * aspect;
        y -= p.field4 * delta * 0.02f;
        const float g = size * 4.0f + 0.5f;
        drawQuadDepth(playlist.atlasTexture, p.field1, y, size, height, 0.083984375f, 0.96875f, 0.1152578f, 0.9999f,
                      1.0f, g, g, alpha * 0.4f, 0.1f);
        if (y + height < -1.0f) y = height + 1.0f;
    }
}
