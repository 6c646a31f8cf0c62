#include "scenes/fading_scene.h"

#include "app/frame_timer.h"

void FadingScene::enter() {
    alpha = 0.0f;
    fadingOut = false;
    fadingIn = true;
    active = true;
}

void FadingScene::leave() {
    fadingOut = true;
    alpha = 1.0f;
    fadingIn = false;
}

bool FadingScene::fade() {
    const float delta = FrameTimer::instance()->delta;
    if (fadingIn) {
        alpha += delta;
        if (alpha >= 1.0f) {
            alpha = 1.0f;
            fadingIn = false;
        }
    }
    if (fadingOut) {
        alpha -= delta;
        if (alpha <= 0.0f) {
            alpha = 0.0f;
            fadingOut = false;
            active = false;
            return true;
        }
    }
    return false;
}
