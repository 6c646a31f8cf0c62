// Whole runs of the capture tool on the shipped disk: the clicks, keys and
// window buttons of the player screens, read from the trace.
#include "tests/screens/disk_run.h"
#include "tests/support/capture_run.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The main screen: entered at about 6 s, fully shown at about 7 s.
constexpr std::uint32_t kMainShown = 7500;

struct Button {
    const char* name;
    float x, y, w, h;
};
constexpr Button kInfo{"info", 0.28f, -0.395f, 0.09f, 0.033f};
constexpr Button kAbout{"about", 0.28f, -0.535f, 0.13f, 0.033f};
constexpr Button kExit{"exit", 0.28f, -0.68f, 0.09f, 0.033f};
constexpr Button kVolumeUp{"volume up", 0.473f, -0.87f, 0.04f, 0.032f};
constexpr Button kVolumeDown{"volume down", 0.43f, -0.87f, 0.04f, 0.032f};
constexpr Button kMinimise{"minimise", 0.862f, 0.77f, 0.05f, 0.046f};
constexpr Button kClose{"close", 0.912f, 0.77f, 0.05f, 0.046f};

std::string click(std::uint32_t at, const Button& button) {
    const Pixel centre = buttonCentre(button.x, button.y, button.w, button.h);
    const std::string where = std::to_string(centre.x) + " " + std::to_string(centre.y);
    return std::to_string(at) + " move " + where + "\n" + std::to_string(at + 40) + " lbutton down\n" +
           std::to_string(at + 80) + " lbutton up\n";
}

std::string clickAt(std::uint32_t at, int x, int y) {
    return std::to_string(at) + " move " + std::to_string(x) + " " + std::to_string(y) + "\n" +
           std::to_string(at + 40) + " lbutton down\n" + std::to_string(at + 80) + " lbutton up\n";
}

std::string tap(std::uint32_t at, const char* key) {
    return std::to_string(at) + " down " + key + "\n" + std::to_string(at + 40) + " up " + key + "\n";
}

CaptureResult capture(const std::string& script, double seconds) {
    CaptureRun run{shippedDiskRoot()};
    run.script = script;
    run.seconds = seconds;
    CaptureResult result = runCapture(run);
    EXPECT_EQ(result.exitCode, 0) << result.errorOutput;
    return result;
}

// The screen that was current at each moment, from the trace's scene events.
long long currentAt(const CaptureResult& result, std::uint32_t at) {
    long long current = -1;
    for (const TraceEvent& e : result.events("scene"))
        if (e.t <= at) current = e.number("current");
    return current;
}

std::vector<long long> setVolumes(const CaptureResult& result, std::uint32_t from = 0) {
    std::vector<long long> volumes;
    for (const TraceEvent& e : result.audioCalls("BASS_SetVolume"))
        if (e.t >= from) volumes.push_back(std::stoll(e.array("args").at(0)));
    return volumes;
}

TEST(PlayerFlow, InfoButtonOpensTheKeyHelpAndAClickAnywhereReturns) {
    const CaptureResult result =
        capture(click(kMainShown, kInfo) + clickAt(10000, 30, 300) + clickAt(12000, 400, 20), 14);
    EXPECT_EQ(currentAt(result, kMainShown - 100), 3);
    EXPECT_EQ(currentAt(result, 9500), 5);
    EXPECT_EQ(currentAt(result, 11500), 3);
    // The click back lands on the main screen's sky: it presses nothing there.
    EXPECT_EQ(currentAt(result, 13900), 3);
}

TEST(PlayerFlow, AAndTheAboutButtonOpenTheAboutScreen) {
    for (const std::string& opening : {tap(kMainShown, "a"), click(kMainShown, kAbout)}) {
        const CaptureResult result = capture(opening + clickAt(10000, 600, 200), 12);
        EXPECT_EQ(currentAt(result, 9500), 4) << opening;
        EXPECT_EQ(currentAt(result, 11900), 3) << opening;
    }
}

// The intro still fades out for a second after the main screen came; a switch
// made meanwhile must not be undone by the intro's own clock test.
TEST(PlayerFlow, ScreenOpenedWhileTheIntroFadesOutStays) {
    const CaptureResult result = capture(tap(6300, "a"), 9);
    EXPECT_EQ(currentAt(result, 6200), 3);
    EXPECT_EQ(currentAt(result, 8900), 4);
    for (const TraceEvent& e : result.events("scene")) {
        if (e.t > 6400) {
            EXPECT_EQ(e.number("current"), 4) << "at " << e.t;
        }
    }
}

TEST(PlayerFlow, VolumeButtonsStepTheMasterVolumeByTenWithinZeroToHundred) {
    std::string script = click(kMainShown, kVolumeUp);  // already at the top
    for (int i = 0; i < 11; ++i) script += click(8000 + 200 * i, kVolumeDown);
    script += click(11000, kVolumeUp);
    const CaptureResult result = capture(script, 12);
    EXPECT_EQ(setVolumes(result, kMainShown),
              (std::vector<long long>{100, 90, 80, 70, 60, 50, 40, 30, 20, 10, 0, 0, 10}));
}

TEST(PlayerFlow, MinimiseButtonMinimisesTheWindowAndTheDiskPlaysOn) {
    const CaptureResult result = capture(click(kMainShown, kMinimise), 9);
    std::vector<std::uint32_t> minimised;
    for (const TraceEvent& e : result.events("window"))
        if (e["op"] == "minimise") minimised.push_back(e.t);
    ASSERT_EQ(minimised.size(), 1u);
    EXPECT_GT(minimised[0], kMainShown);
    ASSERT_NE(result.exitEvent(), nullptr);
    EXPECT_EQ((*result.exitEvent())["reason"], "timeout");
}

// Exit, the close button and Escape fade picture and music out over one second,
// stop the music, give the volume back and end the program.
TEST(PlayerFlow, ExitCloseAndEscapeQuitWithTheOneSecondFade) {
    const std::uint32_t at = 8000;
    for (const std::string& quit : {click(at, kExit), click(at, kClose), tap(at, "escape")}) {
        SCOPED_TRACE(quit);
        const CaptureResult result = capture(quit, 12);
        const TraceEvent* exit = result.exitEvent();
        ASSERT_NE(exit, nullptr);
        EXPECT_EQ((*exit)["reason"], "no-active-scene");
        EXPECT_GT(exit->t, at + 1000);
        EXPECT_LT(exit->t, at + 1200);

        const std::vector<long long> volumes = setVolumes(result, at);
        ASSERT_GE(volumes.size(), 40u) << "the music follows the picture frame by frame";
        for (std::size_t i = 1; i + 1 < volumes.size(); ++i) EXPECT_LE(volumes[i], volumes[i - 1]) << i;
        EXPECT_EQ(volumes[volumes.size() - 2], 0);
        EXPECT_EQ(volumes.back(), 100) << "the volume is given back after the stop";
        const auto stops = result.audioCalls("BASS_ChannelStop");
        ASSERT_FALSE(stops.empty());
        EXPECT_GT(stops.back().t, at + 1000);
    }
}

TEST(PlayerFlow, SecondEscapeDuringTheQuitFadeChangesNothing) {
    const CaptureResult once = capture(tap(8000, "escape"), 12);
    const CaptureResult twice = capture(tap(8000, "escape") + tap(8400, "escape") + click(8600, kExit), 12);
    ASSERT_NE(once.exitEvent(), nullptr);
    ASSERT_NE(twice.exitEvent(), nullptr);
    EXPECT_EQ(once.exitEvent()->t, twice.exitEvent()->t);
    EXPECT_EQ(setVolumes(once, 8000), setVolumes(twice, 8000));
}

}  // namespace
