// The key help: nine lines over the shared background and three pictures.
// A click goes back to the main screen.
#pragma once

#include "disk/player_scene.h"

class InfoScene : public PlayerScene {
public:
    InfoScene();
    void update() override;
};
