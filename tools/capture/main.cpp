// velmora-capture: runs the whole disk in the headless world, in virtual time,
// and records what happened: a trace, screenshots and the sound.
#include "app/scene_manager.h"
#include "platform/bass_headless.h"
#include "platform/bass_trace.h"
#include "platform/headless.h"
#include "platform/soft_device.h"
#include "tools/capture/capture_options.h"
#include "tools/capture/input_script.h"
#include "tools/capture/trace_writer.h"

#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

int fail(const std::string& message) {
    std::fprintf(stderr, "velmora-capture: %s\n", message.c_str());
    return 2;
}

void onCrash(int signal) {
    char text[96];
    const int length = std::snprintf(text, sizeof text, "velmora-capture: the program crashed (signal %d)\n", signal);
    if (length > 0) [[maybe_unused]] auto written = write(STDERR_FILENO, text, static_cast<std::size_t>(length));
    _exit(70);
}

void catchCrashes() {
    for (int signal : {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT}) std::signal(signal, onCrash);
}

std::string absolute(const std::string& path) { return path.empty() ? path : fs::absolute(path).string(); }

bool readFile(const std::string& path, std::string& text) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream content;
    content << in.rdbuf();
    text = content.str();
    return true;
}

void schedule(const ScriptEvent& event) {
    using Kind = ScriptEvent::Kind;
    switch (event.kind) {
        case Kind::KeyDown: headless::scheduleKey(event.at, event.virtualKey, true); break;
        case Kind::KeyUp: headless::scheduleKey(event.at, event.virtualKey, false); break;
        case Kind::Move: headless::scheduleMouseMove(event.at, event.x, event.y); break;
        case Kind::LeftDown: headless::scheduleButton(event.at, WM_LBUTTONDOWN); break;
        case Kind::LeftUp: headless::scheduleButton(event.at, WM_LBUTTONUP); break;
        case Kind::RightDown: headless::scheduleButton(event.at, WM_RBUTTONDOWN); break;
        case Kind::RightUp: headless::scheduleButton(event.at, WM_RBUTTONUP); break;
        case Kind::Close: headless::scheduleClose(event.at); break;
        case Kind::Quit: headless::scheduleQuit(event.at); break;
    }
}

// Writes a scene event whenever the current screen or the set of active screens changes.
class SceneWatcher {
public:
    explicit SceneWatcher(TraceWriter& output) : trace(output) {}
    void check() {
        const SceneManager* manager = SceneManager::instance();
        std::vector<std::uint32_t> active;
        for (std::uint32_t i = 0; i < manager->scenes.size(); ++i)
            if (manager->scenes[i] && manager->scenes[i]->active) active.push_back(i);
        if (manager->currentScene == lastCurrent && active == lastActive) return;
        lastCurrent = manager->currentScene;
        lastActive = active;
        trace.scene(headless::sinceStart(), lastCurrent, lastActive);
    }

private:
    TraceWriter& trace;
    std::uint32_t lastCurrent = ~0u;
    std::vector<std::uint32_t> lastActive;
};

// Takes each shot from the first frame presented at or after its time. Only
// frames that a shot is waiting for are rasterized.
class ShotTaker {
public:
    explicit ShotTaker(std::vector<Shot> shots) : pending(std::move(shots)) {}
    bool wantsNextFrame() const {
        const std::uint32_t presentTime = headless::sinceStart() + headless::frameCost();
        for (const Shot& shot : pending)
            if (shot.at <= presentTime) return true;
        return false;
    }
    void onPresent(HRESULT result) {
        if (FAILED(result)) return;
        for (auto shot = pending.begin(); shot != pending.end();) {
            if (shot->at > headless::sinceStart()) {
                ++shot;
                continue;
            }
            std::string error;
            if (!softgfx::writePng(softgfx::frontBuffer(), shot->path, &error))
                std::fprintf(stderr, "velmora-capture: cannot write %s: %s\n", shot->path.c_str(), error.c_str());
            shot = pending.erase(shot);
        }
    }
    const std::vector<Shot>& missed() const { return pending; }

private:
    std::vector<Shot> pending;
};

const char* exitReason() {
    if (headless::closeDelivered()) return "close";
    if (headless::timedOut()) return "timeout";
    if (headless::quitDelivered()) return "quit";
    return "no-active-scene";
}

}  // namespace

int main(int argc, char** argv) {
    std::string error;
    auto parsed = parseCaptureOptions(argc, argv, error);
    if (!parsed) {
        std::fputs(kCaptureUsage, error.empty() ? stdout : stderr);
        return error.empty() ? 0 : fail(error);
    }
    CaptureOptions options = *parsed;

    std::vector<ScriptEvent> events;
    if (!options.scriptPath.empty()) {
        std::string text;
        if (!readFile(options.scriptPath, text)) return fail("cannot read the script " + options.scriptPath);
        std::optional<ScriptError> scriptError;
        events = parseScript(text, scriptError);
        if (scriptError)
            return fail(options.scriptPath + ":" + std::to_string(scriptError->line) + ": " + scriptError->reason);
    }
    for (Shot& shot : options.shots) shot.path = absolute(shot.path);
    options.wavPath = absolute(options.wavPath);
    options.tracePath = absolute(options.tracePath);

    TraceWriter trace;
    if (!trace.open(options.tracePath)) return fail("cannot write the trace " + options.tracePath);
    std::error_code changed;
    fs::current_path(options.dataDir, changed);
    if (changed) return fail("cannot enter the data folder " + options.dataDir + ": " + changed.message());

    headless::reset();
    headless::setStartTick(options.startTick);
    headless::setFrameCost(options.frameCost);
    headless::setTimeLimit(static_cast<DWORD>(options.seconds * 1000.0));
    for (const ScriptEvent& event : events) schedule(event);

    headless::setMessageBoxListener([&trace](const headless::MessageBoxRecord& box) {
        trace.message(box.t, box.text, box.caption, box.style);
    });
    headless::setWindowListener([&trace](const headless::WindowRecord& record) {
        trace.window(record.t, record.op, record.x, record.y);
    });
    bass_trace::setObserver([&trace](const bass_trace::Call& call) {
        trace.audio(headless::sinceStart(), call.name, call.args, call.result);
    });

    ShotTaker shots(options.shots);
    softgfx::reset();
    softgfx::setLogPerFrame(true);
    softgfx::setRasterizing([&shots] { return shots.wantsNextFrame(); });
    softgfx::setPresentListener([&shots](HRESULT result) { shots.onPresent(result); });

    if (!options.wavPath.empty() && !bass_headless::startWavCapture(options.wavPath))
        return fail("cannot write the sound " + options.wavPath);

    SceneWatcher watcher(trace);
    SceneManager* manager = SceneManager::instance();
    manager->frameObserver = [&watcher] { watcher.check(); };
    catchCrashes();
    manager->run();

    if (!options.wavPath.empty()) bass_headless::stopWavCapture();
    bass_trace::setObserver({});
    trace.exit(headless::sinceStart(), manager->frameCount, exitReason());
    for (const Shot& shot : shots.missed())
        std::fprintf(stderr, "velmora-capture: no frame was presented at or after %u ms for %s\n", shot.at,
                     shot.path.c_str());
    return 0;
}
