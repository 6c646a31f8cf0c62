// Escape on a player screen: picture and music fade out together over one
// second, the music stops, the volume comes back and the program ends.
#include "tests/disk/sound_fixture.h"

#include <gtest/gtest.h>

namespace {

constexpr unsigned kEscapeAt = 3000;
constexpr double kWindowMs = 100;

// The master volume over time, from the trace's volume calls (100 before the first).
struct VolumeEnvelope {
    std::vector<std::pair<std::uint32_t, double>> steps;
    explicit VolumeEnvelope(const CaptureResult& result) {
        for (const TraceEvent& e : result.audioCalls("BASS_SetVolume"))
            steps.emplace_back(e.t, std::stod(e.array("args").at(0)));
    }
    double at(double t) const {
        double volume = 100;
        for (const auto& [when, value] : steps)
            if (when <= t) volume = value;
        return volume;
    }
    double meanGain(double from, double to) const {
        double sum = 0;
        int n = 0;
        for (double t = from; t < to; t += 1.0, ++n) sum += at(t) / 100.0;
        return sum / n;
    }
};

TEST(QuitFade, TheMusicFollowsTheFadeThenStopsTheVolumeComesBackAndTheProgramEnds) {
    TemporaryFolder scratch;
    CaptureRun reference{shippedDiskRoot()};
    reference.seconds = 5;
    reference.script = skipToMainScreen();
    reference.wav = scratch.path() / "reference.wav";
    CaptureRun quit = reference;
    quit.script += release(kEscapeAt, "escape");
    quit.wav = scratch.path() / "quit.wav";
    const CaptureResult unquit = runCapture(reference);
    const CaptureResult result = runCapture(quit);
    ASSERT_EQ(result.exitCode, 0) << result.errorOutput;

    const auto stops = result.audioCalls("BASS_ChannelStop");
    ASSERT_EQ(stops.size(), 1u);
    const std::uint32_t stoppedAt = stops[0].t;
    EXPECT_NEAR(stoppedAt, kEscapeAt + 50 + 1000, 60);

    // Down to 0 by the stop, never rising; 100 again only after it, and nothing started then.
    const VolumeEnvelope volume(result);
    ASSERT_GE(volume.steps.size(), 2u);
    for (std::size_t i = 1; i + 1 < volume.steps.size(); ++i)
        EXPECT_LE(volume.steps[i].second, volume.steps[i - 1].second) << "at " << volume.steps[i].first;
    EXPECT_NEAR(volume.at(stoppedAt - 500), 50, 4) << "the volume falls with the picture's opacity";
    EXPECT_EQ(volume.steps[volume.steps.size() - 2].second, 0);
    EXPECT_LE(volume.steps[volume.steps.size() - 2].first, stoppedAt);
    EXPECT_EQ(volume.steps.back().second, 100);
    EXPECT_GE(volume.steps.back().first, stoppedAt + 10);
    EXPECT_TRUE(transportCalls(result, stoppedAt + 1).empty());

    // What is heard, window by window, is the unquit run's sound scaled by the volume.
    const Sound heard = readSound(quit.wav);
    const Sound full = readSound(reference.wav);
    const double start = soundStart(result);
    for (double from = kEscapeAt - 500; from + kWindowMs <= stoppedAt; from += kWindowMs) {
        const double gain = heard.rms(from - start, from - start + kWindowMs) /
                            full.rms(from - start, from - start + kWindowMs);
        EXPECT_NEAR(gain, volume.meanGain(from, from + kWindowMs), 0.04) << "window at " << from << " ms";
    }
    EXPECT_LT(heard.rms(stoppedAt + 20 - start, stoppedAt + 200 - start), kSilence);

    const TraceEvent* exit = result.exitEvent();
    ASSERT_NE(exit, nullptr);
    EXPECT_EQ((*exit)["reason"], "no-active-scene");
    EXPECT_LT(exit->t, stoppedAt + 60);
}

}  // namespace
