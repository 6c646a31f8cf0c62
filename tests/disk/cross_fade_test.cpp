// The second after a screen switch, when two player screens are active: a key
// acts once, on the screen that is current. And a quit that a switch
// interrupted does not keep the main screen from quitting later.
#include "tests/disk/sound_fixture.h"

#include <gtest/gtest.h>

namespace {

constexpr unsigned kAboutRequested = 3000;
constexpr unsigned kKeyDuringCrossFade = 3400;

bool bothPlayerScreensActiveAt(const CaptureResult& result, std::uint32_t t) {
    std::vector<std::string> active;
    for (const TraceEvent& e : result.events("scene"))
        if (e.t <= t) active = e.array("active");
    return active == std::vector<std::string>{"3", "4"};
}

struct CrossFadeCase {
    const char* key;
    std::vector<std::string> (*expected)(const std::vector<std::string>& handles);
};

const CrossFadeCase kCases[] = {
    {"right", [](const std::vector<std::string>& h) -> std::vector<std::string> {
         return {call("BASS_ChannelStop", {h[0]}), call("BASS_ChannelPlay", {h[1], "true"})};
     }},
    {"p", [](const std::vector<std::string>& h) -> std::vector<std::string> {
         return {call("BASS_ChannelPause", {h[0]})};
     }},
    {"enter", [](const std::vector<std::string>& h) -> std::vector<std::string> {
         return {call("BASS_ChannelStop", {h[0]}), call("BASS_ChannelSetPosition", {h[0], "0"})};
     }},
};

TEST(CrossFade, AKeyReleasedWhileTwoPlayerScreensAreActiveActsOnce) {
    for (const CrossFadeCase& c : kCases) {
        SCOPED_TRACE(c.key);
        CaptureRun run{shippedDiskRoot()};
        run.seconds = 5;
        run.script = skipToMainScreen() + release(kAboutRequested, "a") + release(kKeyDuringCrossFade, c.key);
        const CaptureResult result = runCapture(run);
        ASSERT_EQ(result.exitCode, 0) << result.errorOutput;
        ASSERT_TRUE(bothPlayerScreensActiveAt(result, kKeyDuringCrossFade + 100));
        EXPECT_EQ(transportCalls(result, kMainScreenAlone), c.expected(trackHandles(result)));
    }
}

TEST(CrossFade, EscapeQuitsFromTheMainScreenAgainAfterASwitchInterruptedAQuit) {
    CaptureRun run{shippedDiskRoot()};
    run.seconds = 12;
    run.script = skipToMainScreen() + release(3000, "escape") + release(3500, "a") +
                 "6000 move 400 200\n6000 lbutton down\n6050 lbutton up\n" + release(7500, "escape");
    const CaptureResult result = runCapture(run);
    ASSERT_EQ(result.exitCode, 0) << result.errorOutput;
    const auto h = trackHandles(result);

    // The interrupted quit still fades the music out and sets the volume back;
    // the about screen then moves on to the next track, since the player is playing.
    const auto calls = transportCalls(result, kMainScreenAlone);
    const std::vector<std::string> afterInterruptedQuit = {
        call("BASS_ChannelStop", {h[0]}), call("BASS_ChannelStop", {h[0]}), call("BASS_ChannelPlay", {h[1], "true"})};
    ASSERT_GE(calls.size(), 3u);
    EXPECT_EQ(std::vector<std::string>(calls.begin(), calls.begin() + 3), afterInterruptedQuit);
    std::vector<std::string> volumesBeforeTheClick;
    for (const TraceEvent& e : result.audioCalls("BASS_SetVolume"))
        if (e.t < 6000) volumesBeforeTheClick.push_back(e.array("args").at(0));
    ASSERT_FALSE(volumesBeforeTheClick.empty());
    EXPECT_EQ(volumesBeforeTheClick.back(), "100");

    const TraceEvent* exit = result.exitEvent();
    ASSERT_NE(exit, nullptr);
    EXPECT_EQ((*exit)["reason"], "no-active-scene");
    EXPECT_GT(exit->t, 8500u);
    EXPECT_LT(exit->t, 8700u);
}

}  // namespace
