// The three player screens (main, about, info) share the transport, the
// automatic advance and the quit sequence; this is what the controls need of them.
#pragma once

#include "scenes/fading_scene.h"

#include <cstdint>

class PlayerScene : public FadingScene {
public:
    explicit PlayerScene(std::uint32_t sceneIndex) : index(sceneIndex) {}

    // Entering also ends a quit that a screen switch interrupted, so that Escape quits again.
    void enter() override;

    const std::uint32_t index;
    bool quitting = false;
    std::int32_t savedVolume = 0;

};
