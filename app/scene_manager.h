// The spine of the program: builds the window, the GUI and the six screens,
// runs the frame loop until no screen is active or the window is closed, and
// tears everything down in a fixed order.
#pragma once

#include "app/scene.h"

#include <cstdint>
#include <functional>
#include <vector>

enum SceneIndex : std::uint32_t {
    kGlobalInitializationScene = 0,
    kKevoScene = 1,
    kIntroScene = 2,
    kMainScene = 3,
    kAboutScene = 4,
    kInfoScene = 5,
};

class SceneManager {
public:
    static SceneManager* instance();

    void run();
    void requestScene(std::uint32_t index);

    bool running = false;
    std::vector<Scene*> scenes;
    std::uint32_t currentScene = 0;
    std::uint32_t requestedScene = 0;

    // For tools that watch a run: called at the end of every frame.
    std::function<void()> frameObserver;
    // For tests of the loop itself: builds the six scenes in place of the disk's own.
    std::function<std::vector<Scene*>()> sceneFactory;
    std::uint64_t frameCount = 0;

private:
    SceneManager() = default;
    void buildScenes();
    void runFrame(bool& deviceLost);
    bool recoverDevice(bool& deviceLost);
    bool updateActiveScenes();
    void paceFrame();
    void pumpMessages();
    void drawFrame(bool& deviceLost);
    void tearDown();
};
