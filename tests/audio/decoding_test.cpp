// Real decoding: each format loads, plays at its true pitch and ends.
#include "tests/audio/audio_fixture.h"
#include "tests/audio/module_fixtures.h"

#include "platform/headless.h"

#include <sndfile.h>

#include <cmath>

namespace audio_test {
namespace {

constexpr DWORD kDiskModuleFlags = BASS_MUSIC_POSRESET | BASS_MUSIC_FT2MOD | BASS_MUSIC_RAMP | BASS_SAMPLE_FLOAT;

class ModuleDecoding : public AudioTest, public ::testing::WithParamInterface<ModuleFixture (*)()> {};

TEST_P(ModuleDecoding, PlaysItsNoteAtPitchOnceAndEnds)
{
    const ModuleFixture module = GetParam()();
    const std::string path = writeFile("tone." + module.format, module.bytes);
    const HMUSIC handle = BASS_MusicLoad(FALSE, path.c_str(), 0, 0, kDiskModuleFlags, 0);
    ASSERT_NE(handle, 0u);
    ASSERT_TRUE(BASS_ChannelPlay(handle, FALSE));

    const std::vector<float> firstPlay = listen(800);
    const std::vector<float> held(firstPlay.begin() + 2 * kRate / 10, firstPlay.end());
    EXPECT_NEAR(measuredFrequency(channelOf(held, 0)), module.toneHz, module.toneHz * 0.003);
    EXPECT_EQ(BASS_ChannelIsActive(handle), BASS_ACTIVE_PLAYING);

    headless::advance(3000);
    EXPECT_EQ(BASS_ChannelIsActive(handle), BASS_ACTIVE_STOPPED) << "the song must not loop";

    // A restart after the end plays the song again from its first row, exactly.
    ASSERT_TRUE(BASS_ChannelPlay(handle, TRUE));
    EXPECT_EQ(listen(800), firstPlay);
}

INSTANTIATE_TEST_SUITE_P(Formats, ModuleDecoding,
                         ::testing::Values(&protrackerModule, &fastTrackerModule, &screamTrackerModule,
                                           &impulseTrackerModule),
                         [](const auto& testInfo) { return testInfo.param().format; });

struct StreamCase {
    const char* name;
    int format;
    int rate;
    int channels;
};

class StreamDecoding : public AudioTest, public ::testing::WithParamInterface<StreamCase> {};

TEST_P(StreamDecoding, PlaysAtTruePitchOnBothSidesAndEnds)
{
    constexpr double kToneHz = 1000.0;
    constexpr double kSeconds = 0.5;
    const StreamCase& stream = GetParam();
    const std::string path = writeTone(stream.name, stream.format, stream.rate, stream.channels, kToneHz, kSeconds);
    const HSTREAM handle = BASS_StreamCreateFile(FALSE, path.c_str(), 0, 0, BASS_SAMPLE_FLOAT);
    ASSERT_NE(handle, 0u);
    ASSERT_TRUE(BASS_ChannelPlay(handle, FALSE));

    const std::vector<float> heard = listen(400);
    const std::vector<float> middle(heard.begin() + 2 * kRate / 20, heard.end());
    for (const int side : {0, 1}) {
        EXPECT_NEAR(measuredFrequency(channelOf(middle, side)), kToneHz, 5.0) << "side " << side;
        EXPECT_NEAR(rms(channelOf(middle, side)), 0.5 / std::sqrt(2.0), 0.03) << "side " << side;
    }

    headless::advance(80);
    EXPECT_EQ(BASS_ChannelIsActive(handle), BASS_ACTIVE_PLAYING) << "ended before its 0.5 s";
    headless::advance(100);
    EXPECT_EQ(BASS_ChannelIsActive(handle), BASS_ACTIVE_STOPPED);
}

constexpr int kWav = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
constexpr int kFlac = SF_FORMAT_FLAC | SF_FORMAT_PCM_16;
constexpr int kOgg = SF_FORMAT_OGG | SF_FORMAT_VORBIS;

INSTANTIATE_TEST_SUITE_P(FormatsAndRates, StreamDecoding,
                         ::testing::Values(StreamCase{"wav22050mono.wav", kWav, 22050, 1},
                                           StreamCase{"wav44100.wav", kWav, 44100, 2},
                                           StreamCase{"wav48000.wav", kWav, 48000, 2},
                                           StreamCase{"flac22050.flac", kFlac, 22050, 2},
                                           StreamCase{"flac44100mono.flac", kFlac, 44100, 1},
                                           StreamCase{"flac48000.flac", kFlac, 48000, 2},
                                           StreamCase{"ogg22050.ogg", kOgg, 22050, 2},
                                           StreamCase{"ogg44100.ogg", kOgg, 44100, 2},
                                           StreamCase{"ogg48000mono.ogg", kOgg, 48000, 1}),
                         [](const auto& testInfo) {
                             std::string name = testInfo.param.name;
                             return name.substr(0, name.find('.'));
                         });

}  // namespace
}  // namespace audio_test
