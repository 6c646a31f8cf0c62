#include "disk/player_controls.h"

#include "app/input_state.h"
#include "app/scene_manager.h"
#include "disk/playlist.h"
#include "platform/bass.h"
#include "platform/win32.h"

#include <algorithm>

namespace {

constexpr DWORD kStopSettleMs = 10;

DWORD currentChannel() { return playlist.trackHandles[playlist.currentTrack]; }

void selectTrack(std::int32_t step) {
    playlist.currentTrack = (playlist.currentTrack + playlist.trackCount + step) % playlist.trackCount;
}

// The music follows the picture down; it never rises, since the volume is read back each frame.
void fadeMusic(const PlayerScene& screen) {
    const DWORD volume = BASS_GetVolume();
    const auto faded = static_cast<DWORD>(screen.alpha * 100.0f);
    BASS_SetVolume(std::min(volume, faded));
}

}  // namespace

void PlayerControls::fadeStep(PlayerScene& screen) {
    const bool fadingOut = screen.fadingOut;
    const bool fadeEnded = screen.fade();
    if (!fadingOut || !screen.quitting) return;
    fadeMusic(screen);
    if (fadeEnded) {
        BASS_ChannelStop(currentChannel());
        Sleep(kStopSettleMs);
        BASS_SetVolume(static_cast<DWORD>(screen.savedVolume));
    }
}

void PlayerControls::advanceIfEnded(PlayerScene& screen) {
    if (screen.quitting && !screen.active) return;
    if (BASS_ChannelIsActive(currentChannel()) != BASS_ACTIVE_STOPPED || !playlist.playing) return;
    BASS_ChannelStop(currentChannel());
    selectTrack(+1);
    BASS_ChannelPlay(currentChannel(), TRUE);
}

void PlayerControls::handlePlayerKeys(const PlayerScene& screen) {
    SceneManager* scenes = SceneManager::instance();
    if (scenes->currentScene != screen.index) return;
    const InputState* input = InputState::instance();
    if (input->keyReleased(VK_RETURN)) togglePlayStop();
    if (input->keyReleased('P')) togglePause();
    if (input->keyReleased(VK_LEFT)) previousTrack();
    if (input->keyReleased(VK_RIGHT)) nextTrack();
    if (input->keyReleased('A')) scenes->requestScene(kAboutScene);
    if (input->keyReleased('I')) scenes->requestScene(kInfoScene);
}

void PlayerControls::togglePlayStop() {
    if (playlist.playing) {
        stop();
    } else {
        play();
    }
}

void PlayerControls::togglePause() {
    if (playlist.playing) {
        BASS_ChannelPause(currentChannel());
        playlist.playing = false;
    } else {
        play();
    }
}

void PlayerControls::play() {
    BASS_ChannelPlay(currentChannel(), FALSE);
    playlist.playing = true;
}

void PlayerControls::stop() {
    BASS_ChannelStop(currentChannel());
    BASS_ChannelSetPosition(currentChannel(), 0);
    playlist.playing = false;
}

void PlayerControls::previousTrack() {
    BASS_ChannelStop(currentChannel());
    selectTrack(-1);
    if (playlist.playing) BASS_ChannelPlay(currentChannel(), TRUE);
}

void PlayerControls::nextTrack() {
    BASS_ChannelStop(currentChannel());
    selectTrack(+1);
    if (playlist.playing) BASS_ChannelPlay(currentChannel(), TRUE);
}

void PlayerControls::volumeUp() {
    playlist.volumeStep = std::min(playlist.volumeStep + 1, 10);
    BASS_SetVolume(static_cast<DWORD>(playlist.volumeStep * 10));
}

void PlayerControls::volumeDown() {
    playlist.volumeStep = std::max(playlist.volumeStep - 1, 0);
    BASS_SetVolume(static_cast<DWORD>(playlist.volumeStep * 10));
}

void PlayerControls::beginQuit(PlayerScene& screen) {
    screen.leave();
    screen.quitting = true;
    const DWORD volume = BASS_GetVolume();
    screen.savedVolume = volume == static_cast<DWORD>(-1) ? 100 : static_cast<std::int32_t>(std::min<DWORD>(volume, 100));
}

void PlayerControls::quitTest(PlayerScene& screen) {
    if (!screen.quitting) beginQuit(screen);
}

void PlayerControls::quitOnEscape(PlayerScene& screen) {
    if (InputState::instance()->keyReleased(VK_ESCAPE)) quitTest(screen);
}
