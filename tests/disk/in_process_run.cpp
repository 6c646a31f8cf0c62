#include "tests/disk/in_process_run.h"

#include "app/scene_manager.h"
#include "platform/bass_headless.h"
#include "platform/bass_trace.h"
#include "platform/headless.h"
#include "platform/soft_device.h"

namespace fs = std::filesystem;

namespace {

// The program reads its disk from the current folder; the test's own folder comes back afterwards.
class InFolder {
public:
    explicit InFolder(const fs::path& folder) : previous(fs::current_path()) { fs::current_path(folder); }
    ~InFolder() { fs::current_path(previous); }
    InFolder(const InFolder&) = delete;
    InFolder& operator=(const InFolder&) = delete;

private:
    fs::path previous;
};

}  // namespace

InProcessResult runInProcess(const InProcessRun& run) {
    InFolder folder(run.dataDir);
    InProcessResult result;
    headless::reset();
    softgfx::reset();
    bass_headless::reset();
    headless::setTimeLimit(run.milliseconds);
    headless::setMessageBoxListener([&result](const headless::MessageBoxRecord& box) {
        result.events.push_back("message " + box.text);
        result.messages.push_back(box.text);
    });
    bass_trace::setObserver([&result](const bass_trace::Call& c) {
        std::string text = c.name + "(";
        for (std::size_t i = 0; i < c.args.size(); ++i) text += (i ? "," : "") + c.args[i];
        result.events.push_back(text + ")");
    });
    if (run.beforeStart) run.beforeStart();

    SceneManager* manager = SceneManager::instance();
    manager->frameCount = 0;
    manager->frameObserver = run.afterFrame;
    manager->run();
    manager->frameObserver = nullptr;
    result.frames = manager->frameCount;

    bass_trace::setObserver({});
    headless::setMessageBoxListener({});
    bass_headless::reset();
    return result;
}
