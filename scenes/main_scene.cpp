#include "scenes/main_scene.h"

#include "app/frame_timer.h"
#include "app/input_state.h"
#include "app/scene_manager.h"
#include "disk/player_controls.h"
#include "disk/playlist.h"
#include "display/window.h"
#include "gui/button.h"
#include "gui/gui_renderer.h"
#include "gui/screen_ratio.h"
#include "gui/text.h"
#include "platform/win32.h"

namespace {

constexpr int kParticleCount = 50;
constexpr float kMarqueeSpeedPerSecond = 0.2f;
constexpr float kMarqueeRestart = -1.5f;

struct ButtonSpec {
    std::int32_t id;
    GuiVec2 position;
    GuiVec2 size;
    GuiTexRect rect;
};

constexpr ButtonSpec kStop{18, {0.6f, -0.18f}, {0.09f, 0.08f}, {0.548828125f, 0.6982421875f, 0.5791015625f, 0.7265625f}};
constexpr ButtonSpec kPlay{19, {0.69f, -0.18f}, {0.09f, 0.08f}, {0.5791015625f, 0.6982421875f, 0.6103515625f, 0.7265625f}};
constexpr ButtonSpec kPause{20, {0.667f, -0.311f}, {0.0475f, 0.052f}, {0.5712890625f, 0.7265625f, 0.587890625f, 0.744140625f}};
constexpr ButtonSpec kPrevious{21, {0.6f, -0.438f}, {0.067f, 0.1f}, {0.548828125f, 0.7265625f, 0.5712890625f, 0.76171875f}};
constexpr ButtonSpec kNext{22, {0.7146f, -0.438f}, {0.067f, 0.1f}, {0.587890625f, 0.7265625f, 0.6103515625f, 0.76171875f}};
constexpr ButtonSpec kInfo{13, {0.28f, -0.395f}, {0.09f, 0.033f}, {0.488f, 0.318f, 0.5195f, 0.329f}};
constexpr ButtonSpec kAbout{14, {0.28f, -0.535f}, {0.13f, 0.033f}, {0.432f, 0.318f, 0.475f, 0.329f}};
constexpr ButtonSpec kExit{15, {0.28f, -0.68f}, {0.09f, 0.033f}, {0.388f, 0.318f, 0.416f, 0.329f}};
constexpr ButtonSpec kVolumeUp{16, {0.473f, -0.87f}, {0.04f, 0.032f}, {0.00098f, 0.9863f, 0.0166f, 1.0f}};
constexpr ButtonSpec kVolumeDown{17, {0.43f, -0.87f}, {0.04f, 0.032f}, {0.0176f, 0.9863f, 0.03222f, 1.0f}};
constexpr ButtonSpec kMinimise{10, {0.862f, 0.77f}, {0.05f, 0.046f}, {0.3477f, 0.3164f, 0.366f, 0.331f}};
constexpr ButtonSpec kClose{12, {0.912f, 0.77f}, {0.05f, 0.046f}, {0.366f, 0.3164f, 0.383f, 0.331f}};

// The buttons look the same whether normal, under the mouse or pressed.
bool button(const ButtonSpec& spec, float alpha) {
    const GuiTexRect rects[3] = {spec.rect, spec.rect, spec.rect};
    return guiButton(spec.id, playlist.atlasTexture, spec.position, spec.size, rects, {1.0f, 1.0f, 1.0f, alpha});
}

void picture(float x, float y, float w, float h, GuiTexRect t, float alpha, float depth) {
    drawQuadDepth(playlist.atlasTexture, x, y, w, h, t.texLeft, t.texTop, t.texRight, t.texBottom, 1.0f, 1.0f, 1.0f,
                  alpha, depth);
}

double unit(int r) { return static_cast<double>(r) / 32767.0; }

Particle makeParticle(ParticleSeeder& seeder, std::uint32_t index) {
    Particle p{};
    p.field1 = static_cast<float>(unit(seeder.draw(index)) * 3.0 - 1.5);
    p.field2 = static_cast<float>(unit(seeder.draw(index)) * 0.4 - 1.5);
    p.field3 = static_cast<float>(seeder.draw(index) * 4.0 / 32767.0 + 0.3);
    p.field4 = 0.0f;
    p.field5 = static_cast<float>(unit(seeder.draw(index)) * 0.15 + 0.3);
    return p;
}

}  // namespace

MainScene::MainScene() : PlayerScene(kMainScene) {
    active = false;
    quitting = false;
    // The clock starts here, once everything is loaded.
    ParticleSeeder seeder(static_cast<std::uint32_t>(static_cast<std::int32_t>(FrameTimer::instance()->elapsed)));
    for (std::uint32_t i = 0; i < kParticleCount; ++i) particles.push_back(makeParticle(seeder, i));
    playlist.equalizerOn = true;
    equalizerLevels = {};
}

void MainScene::update() {
    PlayerControls::fadeStep(*this);
    PlayerControls::advanceIfEnded(*this);
    picture(-1.0f, -1.0f, 2.0f, 2.0f, {0.0f, 0.0f, 0.7979f, 0.3105f}, alpha, 1.0f);
    PlayerControls::handlePlayerKeys(*this);
    if (InputState::instance()->keyReleased('E')) playlist.equalizerOn = !playlist.equalizerOn;
    drawPictures();
    transportButtons();
    picture(0.667f, -0.4423f, 0.0474f, 0.135f, {0.5712890625f, 0.744140625f, 0.587890625f, 0.7620187f}, alpha, 0.59f);
    drawVolumeBars();
    runMarquee();
    if (playlist.playing && playlist.equalizerOn) equalizerStep(equalizerLevels, alpha);
    menuButtons();
    driftParticles();
    if (windowButtons() || InputState::instance()->keyReleased(VK_ESCAPE)) PlayerControls::quitTest(*this);
}

void MainScene::drawPictures() {
    picture(-0.635f, 0.3f, 1.6f, 0.6f, {0.0f, 0.3906f, 0.6152f, 0.4746f}, alpha, 1.0f);
    picture(0.264f, -0.904f, 0.7f, 1.4f, {0.0f, 0.7129f, 0.2588f, 0.9179f}, alpha, 0.61f);
}

void MainScene::transportButtons() {
    if (button(kStop, alpha)) PlayerControls::stop();
    if (button(kPlay, alpha)) PlayerControls::play();
    if (button(kPause, alpha)) PlayerControls::togglePause();
    if (button(kPrevious, alpha)) PlayerControls::previousTrack();
    if (button(kNext, alpha)) PlayerControls::nextTrack();
}

void MainScene::drawVolumeBars() {
    for (std::int32_t i = 0; i < playlist.volumeStep; ++i)
        picture(0.276f + 0.015f * static_cast<float>(i), -0.875f, 0.013f, 0.09f, {0.0332f, 0.9863f, 0.03809f, 1.0f},
                alpha, 0.6f);
}

void MainScene::runMarquee() {
    const InputState* input = InputState::instance();
    const float delta = FrameTimer::instance()->delta;
    if (input->keyHeld(VK_ADD)) playlist.titleScrollSpeed += kMarqueeSpeedPerSecond * delta;
    if (input->keyHeld(VK_SUBTRACT)) playlist.titleScrollSpeed -= kMarqueeSpeedPerSecond * delta;

    const std::int32_t track = playlist.currentTrack;
    float& offset = playlist.titleOffsets[track];
    offset += delta * playlist.titleScrollSpeed;
    picture(-0.464f, -0.57f, 0.73f, 0.25f, {0.0f, 0.3145f, 0.32f, 0.3496f}, alpha, 1.0f);
    drawTextScrolled(playlist.trackTitles[track], -0.435f, -0.495f, 0.03f, 0.7f, offset, {1.0f, 1.0f, 1.0f, alpha});
    // Once the whole title has passed the left edge it comes back in from the right.
    if (playlist.titleWidths[track] < offset) offset = kMarqueeRestart;
    picture(-0.464f, -0.57f, 0.73f, 0.25f, {0.68f, 0.3145f, 1.0f, 0.3496f}, alpha, 0.85f);
}

void MainScene::menuButtons() {
    if (button(kInfo, alpha)) SceneManager::instance()->requestScene(kInfoScene);
    if (button(kAbout, alpha)) SceneManager::instance()->requestScene(kAboutScene);
    if (button(kExit, alpha)) PlayerControls::quitTest(*this);
    if (button(kVolumeUp, alpha)) PlayerControls::volumeUp();
    if (button(kVolumeDown, alpha)) PlayerControls::volumeDown();
}

void MainScene::driftParticles() {
    const float delta = FrameTimer::instance()->delta;
    const float aspect = screenAspect();
    for (Particle& p : particles) {
        float& x = p.field1;
        const float size = p.field5;
        x += p.field3 * delta * 0.01f;
        picture(x, p.field2, size, size * aspect, {0.875f, 0.875f, 0.99f, 0.99f}, alpha, 0.1f);
        if (x - size > 1.0f) x = -1.0f - size;
    }
}

// Returns true when the close button was clicked.
bool MainScene::windowButtons() {
    if (button(kMinimise, alpha)) ShowWindow(Window::instance()->windowHandle, SW_MINIMIZE);
    return button(kClose, alpha);
}
