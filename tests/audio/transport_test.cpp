// Play, stop, pause, rewind, state and master volume, on a stream whose every
// sample tells where in the file it lies (a ramp), so positions can be read off
// what is heard.
#include "tests/audio/audio_fixture.h"

#include "platform/bass_headless.h"
#include "platform/headless.h"

#include <sndfile.h>

#include <fstream>
#include <functional>

namespace audio_test {
namespace {

constexpr int kRampFrames = kRate;  // one second

float rampAt(int frame)
{
    return -0.9f + 1.8f * static_cast<float>(frame) / kRampFrames;
}

class Transport : public AudioTest {
protected:
    void SetUp() override
    {
        AudioTest::SetUp();
        const std::string path = (folder_ / "ramp.wav").string();
        SF_INFO info{};
        info.samplerate = kRate;
        info.channels = 1;
        info.format = SF_FORMAT_WAV | SF_FORMAT_FLOAT;
        SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
        ASSERT_NE(file, nullptr);
        std::vector<float> ramp(kRampFrames);
        for (int i = 0; i < kRampFrames; ++i) ramp[i] = rampAt(i);
        sf_writef_float(file, ramp.data(), kRampFrames);
        sf_close(file);
        handle_ = BASS_StreamCreateFile(FALSE, path.c_str(), 0, 0, BASS_SAMPLE_FLOAT);
        ASSERT_NE(handle_, 0u);
    }

    HSTREAM handle_ = 0;
};

struct ResumeCase {
    const char* name;
    std::function<void(HSTREAM)> betweenPlays;
    BOOL restart;
    int expectedFrame;  // of the file, heard first after the second play
};

TEST_F(Transport, SecondPlayStartsWhereTheTableSays)
{
    constexpr int kFirstPlayMs = 300;
    constexpr int kPlayedFrames = kFirstPlayMs * kRate / 1000;
    const ResumeCase cases[] = {
        {"pause resumes", [](HSTREAM h) { BASS_ChannelPause(h); }, FALSE, kPlayedFrames},
        {"stop keeps the position", [](HSTREAM h) { BASS_ChannelStop(h); }, FALSE, kPlayedFrames},
        {"stop and rewind", [](HSTREAM h) { BASS_ChannelStop(h); BASS_ChannelSetPosition(h, 0); }, FALSE, 0},
        {"pause, then restart", [](HSTREAM h) { BASS_ChannelPause(h); }, TRUE, 0},
        {"restart while playing", [](HSTREAM) {}, TRUE, 0},
    };
    for (const ResumeCase& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(BASS_ChannelPlay(handle_, TRUE));
        headless::advance(kFirstPlayMs);
        c.betweenPlays(handle_);
        const std::vector<float> gap = listen(200);
        const bool stillPlaying = BASS_ChannelIsActive(handle_) == BASS_ACTIVE_PLAYING;
        if (!stillPlaying) {
            EXPECT_EQ(rms(gap), 0.0) << "a paused or stopped channel is silent";
        }
        const int expected = stillPlaying && !c.restart ? kPlayedFrames + 200 * kRate / 1000 : c.expectedFrame;
        ASSERT_TRUE(BASS_ChannelPlay(handle_, c.restart));
        const std::vector<float> resumed = listen(10);
        EXPECT_NEAR(resumed[0], rampAt(expected), 1e-3f);
        BASS_ChannelStop(handle_);
    }
}

TEST_F(Transport, ActivityFollowsTheChannelsLife)
{
    EXPECT_EQ(BASS_ChannelIsActive(handle_), BASS_ACTIVE_STOPPED) << "loaded, not started";
    BASS_ChannelPlay(handle_, FALSE);
    EXPECT_EQ(BASS_ChannelIsActive(handle_), BASS_ACTIVE_PLAYING);
    BASS_ChannelPause(handle_);
    EXPECT_EQ(BASS_ChannelIsActive(handle_), BASS_ACTIVE_PAUSED);
    headless::advance(2000);
    EXPECT_EQ(BASS_ChannelIsActive(handle_), BASS_ACTIVE_PAUSED) << "a paused channel never ends";
    BASS_ChannelPlay(handle_, FALSE);
    headless::advance(1001);
    EXPECT_EQ(BASS_ChannelIsActive(handle_), BASS_ACTIVE_STOPPED) << "played to its end";
    EXPECT_FALSE(BASS_ChannelPause(handle_)) << "nothing to pause";

    // An ended channel has nothing to play on from, so even without restart it starts over.
    BASS_ChannelPlay(handle_, FALSE);
    EXPECT_NEAR(listen(10)[0], rampAt(0), 1e-3f);
    EXPECT_TRUE(BASS_MusicFree(handle_));
    EXPECT_EQ(BASS_ChannelIsActive(handle_), BASS_ACTIVE_STOPPED);
    EXPECT_FALSE(BASS_ChannelPlay(handle_, TRUE)) << "a freed handle is gone";
}

TEST_F(Transport, ZeroAndUnknownHandlesFailWithoutEffect)
{
    BASS_ChannelPlay(handle_, FALSE);
    for (const DWORD bad : {0u, handle_ + 1000u}) {
        SCOPED_TRACE(bad);
        EXPECT_FALSE(BASS_ChannelPlay(bad, TRUE));
        EXPECT_FALSE(BASS_ChannelStop(bad));
        EXPECT_FALSE(BASS_ChannelPause(bad));
        EXPECT_FALSE(BASS_ChannelSetPosition(bad, 0));
        EXPECT_FALSE(BASS_MusicFree(bad));
        EXPECT_EQ(BASS_ChannelIsActive(bad), BASS_ACTIVE_STOPPED);
    }
    EXPECT_EQ(BASS_ChannelIsActive(handle_), BASS_ACTIVE_PLAYING) << "the real channel is untouched";
}

TEST_F(Transport, MasterVolumeScalesTheMixOnly)
{
    EXPECT_EQ(BASS_GetVolume(), 100u);
    BASS_ChannelPlay(handle_, TRUE);
    const std::vector<float> full = listen(100);
    BASS_ChannelPlay(handle_, TRUE);
    ASSERT_TRUE(BASS_SetVolume(40));
    const std::vector<float> quieter = listen(100);
    // After the first block, over which a change glides to avoid a click.
    for (std::size_t i = 2 * 1024; i < full.size(); i += 97) EXPECT_NEAR(quieter[i], 0.4f * full[i], 1e-3f) << i;

    EXPECT_FALSE(BASS_SetVolume(101));
    EXPECT_EQ(BASS_GetVolume(), 40u) << "a refused volume changes nothing";
    ASSERT_TRUE(BASS_SetVolume(0));
    BASS_ChannelPlay(handle_, TRUE);
    listen(30);
    EXPECT_EQ(rms(listen(100)), 0.0);
}

TEST_F(Transport, VolumeNeedsAnInitialisedLibrary)
{
    BASS_Free();
    EXPECT_EQ(BASS_GetVolume(), static_cast<DWORD>(-1));
    EXPECT_FALSE(BASS_SetVolume(50));
    EXPECT_FALSE(BASS_Free()) << "already free";
}

}  // namespace
}  // namespace audio_test
