// The player screen: pictures from the atlas, the title marquee, the spectrum
// equalizer, the volume display, clickable transport, menu and window buttons,
// and lights drifting along the bottom edge.
#pragma once

#include "disk/equalizer.h"
#include "disk/player_scene.h"
#include "scenes/particle.h"

#include <vector>

class MainScene : public PlayerScene {
public:
    MainScene();
    void update() override;

    EqualizerLevels equalizerLevels;
    // x, y (lower-left corner), drift speed, unused, size.
    std::vector<Particle> particles;

private:
    void drawPictures();
    void transportButtons();
    void drawVolumeBars();
    void runMarquee();
    void menuButtons();
    void driftParticles();
    bool windowButtons();
};
