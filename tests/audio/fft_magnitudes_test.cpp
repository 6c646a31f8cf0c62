// The spectrum the equalizer reads: 256 magnitudes of what is heard now.
#include "tests/audio/audio_fixture.h"

#include "platform/headless.h"

#include <sndfile.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <vector>

namespace audio_test {
namespace {

using Bins = std::array<float, 256>;

class Spectrum : public AudioTest {
protected:
    HSTREAM playTone(double hz, double amplitude)
    {
        const std::string path =
            writeTone("tone" + std::to_string(++tones_) + ".wav", SF_FORMAT_WAV | SF_FORMAT_FLOAT, kRate, 1, hz, 1.0, amplitude);
        const HSTREAM handle = BASS_StreamCreateFile(FALSE, path.c_str(), 0, 0, BASS_SAMPLE_FLOAT);
        EXPECT_NE(handle, 0u);
        BASS_ChannelPlay(handle, FALSE);
        return handle;
    }

    int tones_ = 0;
};

TEST_F(Spectrum, SinePeaksAtItsBinWithItsAmplitude)
{
    for (const double amplitude : {1.0, 0.5}) {
        SCOPED_TRACE(amplitude);
        const HSTREAM handle = playTone(430.0, amplitude);
        headless::advance(200);
        Bins bins{};
        ASSERT_EQ(BASS_ChannelGetData(handle, bins.data(), BASS_DATA_FFT512), 256u * sizeof(float));
        EXPECT_EQ(std::max_element(bins.begin(), bins.end()) - bins.begin(), 5);
        EXPECT_NEAR(bins[5], amplitude, 0.05 * amplitude);
        EXPECT_LT(bins[3], 0.01 * amplitude);
        EXPECT_LT(bins[8], 0.01 * amplitude);
        BASS_MusicFree(handle);
    }
}

TEST_F(Spectrum, ReadsTheChannelBeforeTheMasterVolume)
{
    const HSTREAM handle = playTone(430.0, 1.0);
    BASS_SetVolume(10);
    headless::advance(200);
    Bins bins{};
    BASS_ChannelGetData(handle, bins.data(), BASS_DATA_FFT512);
    EXPECT_NEAR(bins[5], 1.0, 0.05);
}

TEST_F(Spectrum, SilenceReadsAllZeros)
{
    // A silent file playing, and a tone paused: both are heard as silence now.
    const HSTREAM silent = playTone(430.0, 0.0);
    const HSTREAM paused = playTone(430.0, 1.0);
    headless::advance(100);
    BASS_ChannelPause(paused);
    headless::advance(100);
    for (const HSTREAM handle : {silent, paused}) {
        Bins bins;
        bins.fill(7.0f);
        ASSERT_NE(BASS_ChannelGetData(handle, bins.data(), BASS_DATA_FFT512), static_cast<DWORD>(-1));
        EXPECT_TRUE(std::ranges::all_of(bins, [](float b) { return b == 0.0f; }));
    }
}

TEST_F(Spectrum, FailedReadsLeaveTheBufferUnchanged)
{
    const HSTREAM stopped = playTone(430.0, 1.0);
    headless::advance(100);
    BASS_ChannelStop(stopped);
    const HSTREAM freed = playTone(430.0, 1.0);
    BASS_MusicFree(freed);
    const HSTREAM playing = playTone(430.0, 1.0);
    headless::advance(100);

    const struct {
        const char* name;
        DWORD handle;
        DWORD flags;
    } cases[] = {
        {"stopped", stopped, BASS_DATA_FFT512}, {"zero", 0, BASS_DATA_FFT512},
        {"unknown", 0xDEAD, BASS_DATA_FFT512},  {"freed", freed, BASS_DATA_FFT512},
        {"not an FFT", playing, 1024},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Bins bins;
        bins.fill(0.25f);
        EXPECT_EQ(BASS_ChannelGetData(c.handle, bins.data(), c.flags), static_cast<DWORD>(-1));
        EXPECT_TRUE(std::ranges::all_of(bins, [](float b) { return b == 0.25f; }));
    }
}

// A float file stores its samples as raw bytes; a damaged one can hold values
// that are not samples at all. They must not reach the spectrum or the speakers.
TEST_F(Spectrum, DamagedFloatSamplesAreHeardAsSilenceOrFullScale)
{
    const struct {
        const char* name;
        float stored;
        float heard;
    } cases[] = {
        {"NaN", std::numeric_limits<float>::quiet_NaN(), 0.0f},
        {"+infinity", std::numeric_limits<float>::infinity(), 0.0f},
        {"-infinity", -std::numeric_limits<float>::infinity(), 0.0f},
        {"far above full scale", 1e30f, 1.0f},
        {"far below full scale", -1e30f, 1.0f},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = (folder_ / (std::string("damaged") + std::to_string(++tones_) + ".wav")).string();
        SF_INFO info{.frames = 0, .samplerate = kRate, .channels = 1, .format = SF_FORMAT_WAV | SF_FORMAT_FLOAT};
        SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
        ASSERT_NE(file, nullptr);
        const std::vector<float> samples(kRate, c.stored);
        sf_writef_float(file, samples.data(), kRate);
        sf_close(file);

        const HSTREAM handle = BASS_StreamCreateFile(FALSE, path.c_str(), 0, 0, BASS_SAMPLE_FLOAT);
        ASSERT_NE(handle, 0u);
        BASS_ChannelPlay(handle, FALSE);
        const std::vector<float> heard = listen(200);
        ASSERT_FALSE(heard.empty());
        for (const float sample : heard) ASSERT_NEAR(std::fabs(sample), c.heard, 0.01f);

        Bins bins{};
        ASSERT_EQ(BASS_ChannelGetData(handle, bins.data(), BASS_DATA_FFT512), 256u * sizeof(float));
        EXPECT_TRUE(std::ranges::all_of(bins, [](float b) { return std::isfinite(b) && b >= 0.0f; }));
        BASS_MusicFree(handle);
    }
}

}  // namespace
}  // namespace audio_test
