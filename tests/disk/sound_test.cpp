// The music as heard: track 0 from the very start, and the disk moving on by
// itself from one track to the next and round to the first.
#include "tests/disk/sound_fixture.h"

#include <gtest/gtest.h>

namespace {

TEST(DiskSound, TrackZeroSoundsFromTheFirstFrame) {
    TemporaryFolder scratch;
    CaptureRun run{shippedDiskRoot()};
    run.seconds = 1;
    run.wav = scratch.path() / "start.wav";
    const CaptureResult result = runCapture(run);
    ASSERT_EQ(result.exitCode, 0) << result.errorOutput;

    const auto handles = trackHandles(result);
    ASSERT_EQ(handles.size(), 3u);
    const auto plays = result.audioCalls("BASS_ChannelPlay");
    ASSERT_FALSE(plays.empty());
    EXPECT_EQ(call("BASS_ChannelPlay", plays.front().array("args")), call("BASS_ChannelPlay", {handles[0], "false"}));
    EXPECT_LE(plays.front().t, result.events("scene").front().t) << "track 0 starts before the first frame";

    const Sound sound = readSound(run.wav);
    EXPECT_GT(sound.rms(0, 40), kSilence);
    EXPECT_GT(sound.rms(40, 1000), kSilence);
}

// Three tones of 1.5 s, each of its own pitch, so that the WAV tells which track is heard.
struct ToneDisk {
    static constexpr double kPitches[3] = {330.0, 550.0, 880.0};
    static constexpr double kSeconds = 1.5;
    TemporaryFolder folder;
    ToneDisk() {
        makeDisk(folder.path(),
                 "3\nstream\ntone_a.wav\nLow\nstream\ntone_b.wav\nMiddle\nstream\ntone_c.wav\nHigh\nTones.\n");
        const char* names[3] = {"tone_a.wav", "tone_b.wav", "tone_c.wav"};
        for (int i = 0; i < 3; ++i) writeTone(folder.path() / "data" / "music" / names[i], kPitches[i], kSeconds);
    }
};

TEST(DiskSound, AnEndedTrackIsFollowedByTheNextAndTheLastByTrackZero) {
    ToneDisk disk;
    CaptureRun run{disk.folder.path()};
    // Only the player screens move on; the main screen is current before track 0 ends.
    run.script = skipToMainScreen();
    run.seconds = 5.8;
    run.wav = disk.folder.path() / "round.wav";
    const CaptureResult result = runCapture(run);
    ASSERT_EQ(result.exitCode, 0) << result.errorOutput;
    EXPECT_TRUE(result.messages().empty());

    const auto handles = trackHandles(result);
    ASSERT_EQ(handles.size(), 3u);
    const auto plays = result.audioCalls("BASS_ChannelPlay");
    std::vector<std::string> played;
    for (const TraceEvent& e : plays) played.push_back(call("BASS_ChannelPlay", e.array("args")));
    const std::vector<std::string> expected = {
        call("BASS_ChannelPlay", {handles[0], "false"}), call("BASS_ChannelPlay", {handles[1], "true"}),
        call("BASS_ChannelPlay", {handles[2], "true"}), call("BASS_ChannelPlay", {handles[0], "true"})};
    ASSERT_EQ(played, expected);
    // Each track leaves with a stop just before the next starts.
    EXPECT_EQ(transportCalls(result, plays[1].t - 1).front(), call("BASS_ChannelStop", {handles[0]}));

    const Sound sound = readSound(run.wav);
    const double start = soundStart(result);
    const int order[4] = {0, 1, 2, 0};
    for (std::size_t k = 0; k < plays.size(); ++k) {
        const double from = plays[k].t - start;
        SCOPED_TRACE("track " + std::to_string(order[k]) + " started at " + std::to_string(plays[k].t) + " ms");
        if (k > 0) {
            EXPECT_NEAR(plays[k].t - plays[k - 1].t, ToneDisk::kSeconds * 1000.0, 50.0);
        }
        EXPECT_NEAR(sound.toneFrequency(from + 100, from + 1100), ToneDisk::kPitches[order[k]],
                    ToneDisk::kPitches[order[k]] * 0.01);
    }
}

}  // namespace
