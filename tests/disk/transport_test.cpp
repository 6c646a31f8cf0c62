// The transport keys on the main screen of the shipped disk: the channel calls
// of each key in each player state, and what is heard in between.
#include "tests/disk/sound_fixture.h"

#include <gtest/gtest.h>

namespace {

struct KeyStep {
    unsigned at;
    const char* key;
    bool soundsAfter;
};

// From playing track 0: next, previous, stop, next while stopped, play, pause,
// resume, stop, and P to start a rewound track.
const KeyStep kSteps[] = {
    {3000, "right", true}, {4000, "left", true},  {5000, "enter", false}, {6000, "right", false}, {7000, "enter", true},
    {8000, "p", false},    {9000, "p", true},     {10000, "enter", false}, {11000, "p", true},
};
constexpr unsigned kEnd = 12000;

TEST(Transport, KeysFollowThePlayerStateTableAndTheSoundFollowsTheState) {
    TemporaryFolder scratch;
    CaptureRun run{shippedDiskRoot()};
    run.seconds = kEnd / 1000.0;
    run.wav = scratch.path() / "transport.wav";
    run.script = skipToMainScreen();
    for (const KeyStep& step : kSteps) run.script += release(step.at, step.key);
    const CaptureResult result = runCapture(run);
    ASSERT_EQ(result.exitCode, 0) << result.errorOutput;
    const auto h = trackHandles(result);
    ASSERT_EQ(h.size(), 3u);

    auto play = [](const std::string& handle, bool restart) {
        return call("BASS_ChannelPlay", {handle, restart ? "true" : "false"});
    };
    auto stop = [](const std::string& handle) { return call("BASS_ChannelStop", {handle}); };
    auto rewind = [](const std::string& handle) { return call("BASS_ChannelSetPosition", {handle, "0"}); };
    auto pause = [](const std::string& handle) { return call("BASS_ChannelPause", {handle}); };
    const std::vector<std::string> expected = {
        stop(h[0]), play(h[1], true),    // right while playing
        stop(h[1]), play(h[0], true),    // left while playing
        stop(h[0]), rewind(h[0]),        // enter while playing
        stop(h[0]),                      // right while stopped selects track 1 only
        play(h[1], false),               // enter while stopped
        pause(h[1]),                     // p while playing
        play(h[1], false),               // p while paused resumes
        stop(h[1]), rewind(h[1]),        // enter while playing
        play(h[1], false),               // p while stopped
    };
    EXPECT_EQ(transportCalls(result, kMainScreenAlone), expected);

    const Sound sound = readSound(run.wav);
    const double start = soundStart(result);
    for (std::size_t i = 0; i < std::size(kSteps); ++i) {
        const unsigned next = i + 1 < std::size(kSteps) ? kSteps[i + 1].at : kEnd;
        // From two frames after the release to the next key.
        const double level = sound.rms(kSteps[i].at + 100 - start, next - start);
        if (kSteps[i].soundsAfter)
            EXPECT_GT(level, kSilence) << "after " << kSteps[i].key << " at " << kSteps[i].at;
        else
            EXPECT_LT(level, kSilence) << "after " << kSteps[i].key << " at " << kSteps[i].at;
    }
}

}  // namespace
