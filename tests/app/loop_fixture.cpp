#include "tests/app/loop_fixture.h"

#include "app/frame_timer.h"
#include "platform/headless.h"
#include "platform/soft_device.h"

namespace {

class ScriptedScene : public Scene {
public:
    ScriptedScene(int sceneIndex, SceneScript& sceneScript, std::vector<std::string>& sceneLog)
        : index(sceneIndex), script(sceneScript), log(sceneLog) {}

    void enter() override {
        active = true;
        log.push_back("enter " + std::to_string(index));
        if (script.onEnter) script.onEnter(*this);
    }
    void leave() override { log.push_back("leave " + std::to_string(index)); }
    void update() override {
        const FrameTimer* timer = FrameTimer::instance();
        script.views.push_back({SceneManager::instance()->frameCount, timer->elapsed, timer->delta, GetTickCount()});
        if (script.onUpdate) script.onUpdate(*this);
    }

private:
    const int index;
    SceneScript& script;
    std::vector<std::string>& log;
};

}  // namespace

LoopFixture::LoopFixture() {
    headless::reset();
    softgfx::reset();
    SceneManager::instance()->sceneFactory = [this] {
        std::vector<Scene*> scenes;
        for (int i = 0; i < 6; ++i) scenes.push_back(new ScriptedScene(i, scripts[i], log));
        // As the disk's own first scene does, the clock starts once the scenes are built.
        FrameTimer::instance();
        return scenes;
    };
    SceneManager::instance()->frameObserver = nullptr;
}

LoopFixture::~LoopFixture() { SceneManager::instance()->sceneFactory = nullptr; }

void LoopFixture::run() {
    SceneManager::instance()->frameCount = 0;
    SceneManager::instance()->run();
}
