// Runs the real frame loop in the headless world with scenes of the test's own,
// which log what they see.
#pragma once

#include "app/scene.h"
#include "app/scene_manager.h"

#include <functional>
#include <string>
#include <vector>

struct FrameView {
    std::uint64_t frame;
    float elapsed;
    float delta;
    std::uint32_t tick;
};

// What the test gives a scene to do, and what the scene saw. It outlives the
// scene, which the loop deletes in its teardown.
struct SceneScript {
    std::function<void(Scene&)> onUpdate;
    std::function<void(Scene&)> onEnter;
    std::vector<FrameView> views;
};

class LoopFixture {
public:
    LoopFixture();
    ~LoopFixture();
    // Scene 1 is entered first; the others wait to be requested.
    SceneScript& scene(int index) { return scripts[index]; }
    void run();

    std::vector<std::string> log;
    SceneScript scripts[6];
};
