// A screen that fades in when it is entered and out when it is left, over one
// second of frame time; every quad it draws takes alpha as its opacity.
#pragma once

#include "app/scene.h"

class FadingScene : public Scene {
public:
    void enter() override;
    void leave() override;

    float alpha = 0.0f;
    bool fadingIn = false;
    bool fadingOut = false;

    // Moves alpha by the frame's delta. Returns true in the frame in which the
    // fade-out ended and the screen made itself inactive.
    bool fade();
};
