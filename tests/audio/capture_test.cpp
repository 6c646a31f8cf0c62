// The virtual-time output: exact frame counts, the WAV capture and a failing device.
#include "tests/audio/audio_fixture.h"

#include "platform/bass_headless.h"
#include "platform/headless.h"

#include <sndfile.h>

#include <array>
#include <cmath>

namespace audio_test {
namespace {

using Capture = AudioTest;

TEST_F(Capture, MixesExactlyTheFramesTheVirtualMillisecondsCover)
{
    ASSERT_TRUE(bass_headless::startWavCapture(capturePath_));
    // 7 ms is 308.7 frames: the fraction is carried, so three steps make 926, not 924.
    for (int i = 0; i < 3; ++i) headless::advance(7);
    ASSERT_TRUE(bass_headless::stopWavCapture());
    SF_INFO info{};
    SNDFILE* file = sf_open(capturePath_.c_str(), SFM_READ, &info);
    ASSERT_NE(file, nullptr);
    sf_close(file);
    EXPECT_EQ(info.frames, 926);
    EXPECT_EQ(info.format, SF_FORMAT_WAV | SF_FORMAT_PCM_16);
    EXPECT_FALSE(bass_headless::stopWavCapture()) << "no capture running";
    EXPECT_FALSE(bass_headless::startWavCapture((folder_ / "no/such/folder.wav").string()));
}

TEST_F(Capture, AFailedDeviceGoesOnSilently)
{
    const std::string path = writeTone("tone.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, kRate, 2, 430.0, 0.5, 0.9);
    const HSTREAM handle = BASS_StreamCreateFile(FALSE, path.c_str(), 0, 0, BASS_SAMPLE_FLOAT);
    BASS_ChannelPlay(handle, FALSE);
    EXPECT_GT(rms(listen(100)), 0.5);

    bass_headless::failOutput();
    EXPECT_EQ(rms(listen(200)), 0.0);
    std::array<float, 256> bins{};
    BASS_ChannelGetData(handle, bins.data(), BASS_DATA_FFT512);
    EXPECT_GT(bins[5], 0.8f) << "the spectrum still moves";
    headless::advance(250);
    EXPECT_EQ(BASS_ChannelIsActive(handle), BASS_ACTIVE_STOPPED) << "the track still ends on time";
}

TEST_F(Capture, ClippingDoesNotWrap)
{
    const std::string path = writeTone("loud.wav", SF_FORMAT_WAV | SF_FORMAT_FLOAT, kRate, 2, 430.0, 0.5, 1.0);
    for (int i = 0; i < 2; ++i) {
        BASS_ChannelPlay(BASS_StreamCreateFile(FALSE, path.c_str(), 0, 0, BASS_SAMPLE_FLOAT), FALSE);
    }
    const std::vector<float> heard = listen(100);
    // Two full-scale tones in phase: the sum is clipped, so no sample flips sign against the tone.
    const std::vector<float> left = channelOf(heard, 0);
    for (std::size_t i = 0; i < left.size(); ++i) {
        const double tone = std::sin(2.0 * 3.14159265358979 * 430.0 * static_cast<double>(i) / kRate);
        if (std::abs(tone) > 0.6) {
            EXPECT_GT(left[i] * tone, 0.5) << i;
        }
    }
}

}  // namespace
}  // namespace audio_test
