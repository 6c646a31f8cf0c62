// A screen of the disk. The main loop updates it once per frame while it is
// active; it clears its own flag when its exit has ended.
#pragma once

class Scene {
public:
    virtual ~Scene() = default;
    // The scene becomes the current screen.
    virtual void enter() {}
    // Per-frame logic and quad submission.
    virtual void update() = 0;
    // Another scene has been requested.
    virtual void leave() {}
    virtual void spare1() {}
    virtual void spare2() {}

    bool active = false;
};
