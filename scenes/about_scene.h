// The about screen: pictures, the disk's free text scrolling up through a box,
// and lights falling over everything. A click goes back to the main screen.
#pragma once

#include "disk/player_scene.h"
#include "scenes/particle.h"

#include <vector>

class AboutScene : public PlayerScene {
public:
    AboutScene();
    void enter() override;
    void update() override;

    // x, y (lower-left corner), unused, fall speed, size.
    std::vector<Particle> particles;

    // The text goes on where it was when the screen is shown again.
    static float scrollOffset;
    static float scrollSpeed;

private:
    void scatterParticles();
    void scrollText();
    void fallParticles();
};
