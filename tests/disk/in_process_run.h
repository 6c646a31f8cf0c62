// The whole program run inside the test process on the headless backends, for
// what the capture tool cannot set: the library's reported version and the
// master volume found at start.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

struct InProcessRun {
    std::filesystem::path dataDir;
    unsigned milliseconds = 200;
    // Runs just before the program starts, after the headless world is reset.
    std::function<void()> beforeStart;
    // Runs after every frame, while the scenes exist.
    std::function<void()> afterFrame;
};

struct InProcessResult {
    // "message TEXT" and audio calls as "BASS_ChannelPlay(1,false)", in the order they happened.
    std::vector<std::string> events;
    std::vector<std::string> messages;
    unsigned long long frames = 0;
};

InProcessResult runInProcess(const InProcessRun& run);
