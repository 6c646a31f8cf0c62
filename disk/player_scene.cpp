#include "disk/player_scene.h"

void PlayerScene::enter() {
    FadingScene::enter();
    quitting = false;
}
