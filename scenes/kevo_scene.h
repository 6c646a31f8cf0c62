// The opening logo: fades in, stays until the clock passes 3 s or Escape is
// released, then cross-fades to the intro.
#pragma once

#include "scenes/fading_scene.h"

class KevoScene : public FadingScene {
public:
    void update() override;
};
