// The playback controls shared by the player screens: keyboard transport, the
// move to the next track when one ends, and the quit fade of picture and music.
#pragma once

#include "disk/player_scene.h"

struct PlayerControls {
    static void fadeStep(PlayerScene& screen);
    static void advanceIfEnded(PlayerScene& screen);
    // Only the current screen acts on the keys: during a cross-fade two player
    // screens are active, and a key must act once.
    static void handlePlayerKeys(const PlayerScene& screen);
    static void togglePlayStop();
    static void togglePause();
    static void play();
    static void stop();
    static void previousTrack();
    static void nextTrack();
    static void volumeUp();
    static void volumeDown();
    static void beginQuit(PlayerScene& screen);
    // Escape, or an exit button, on a screen that is not quitting yet.
    static void quitTest(PlayerScene& screen);
    static void quitOnEscape(PlayerScene& screen);
};
