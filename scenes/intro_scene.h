// The intro picture over the shared background: fades in, stays until the
// clock passes 6 s or Escape is released, then cross-fades to the main screen.
#pragma once

#include "scenes/fading_scene.h"

class IntroScene : public FadingScene {
public:
    void update() override;
};
