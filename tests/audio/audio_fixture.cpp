#include "tests/audio/audio_fixture.h"

#include "platform/bass_headless.h"
#include "platform/headless.h"

#include <sndfile.h>

#include <cmath>
#include <fstream>
#include <numbers>
#include <unistd.h>

namespace audio_test {

void AudioTest::SetUp()
{
    headless::reset();
    bass_headless::reset();
    folder_ = std::filesystem::temp_directory_path() /
              ("velmora-audio-" + std::to_string(::getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_);
    capturePath_ = (folder_ / "capture.wav").string();
    ASSERT_TRUE(BASS_Init(-1, kRate, 0, nullptr, nullptr));
}

void AudioTest::TearDown()
{
    bass_headless::reset();
    std::filesystem::remove_all(folder_);
}

std::string AudioTest::writeFile(const std::string& name, const std::vector<std::uint8_t>& bytes) const
{
    const std::filesystem::path path = folder_ / name;
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                static_cast<std::streamsize>(bytes.size()));
    return path.string();
}

std::string AudioTest::writeTone(const std::string& name, int format, int rate, int channels, double hz,
                                 double seconds, double amplitude) const
{
    const std::string path = (folder_ / name).string();
    SF_INFO info{};
    info.samplerate = rate;
    info.channels = channels;
    info.format = format;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    EXPECT_NE(file, nullptr) << sf_strerror(nullptr);
    if (!file) return path;
    const auto frames = static_cast<std::size_t>(seconds * rate);
    std::vector<float> samples(frames * static_cast<std::size_t>(channels));
    for (std::size_t i = 0; i < frames; ++i) {
        const auto value = static_cast<float>(amplitude * std::sin(2.0 * std::numbers::pi * hz * i / rate));
        for (int c = 0; c < channels; ++c) samples[i * channels + c] = value;
    }
    sf_writef_float(file, samples.data(), static_cast<sf_count_t>(frames));
    sf_close(file);
    return path;
}

std::vector<float> AudioTest::listen(int ms)
{
    EXPECT_TRUE(bass_headless::startWavCapture(capturePath_));
    headless::advance(static_cast<DWORD>(ms));
    EXPECT_TRUE(bass_headless::stopWavCapture());
    SF_INFO info{};
    SNDFILE* file = sf_open(capturePath_.c_str(), SFM_READ, &info);
    EXPECT_NE(file, nullptr);
    if (!file) return {};
    EXPECT_EQ(info.samplerate, kRate);
    EXPECT_EQ(info.channels, 2);
    std::vector<float> stereo(static_cast<std::size_t>(info.frames) * 2);
    sf_readf_float(file, stereo.data(), info.frames);
    sf_close(file);
    return stereo;
}

std::vector<float> channelOf(const std::vector<float>& stereo, int channel)
{
    std::vector<float> samples;
    for (std::size_t i = static_cast<std::size_t>(channel); i < stereo.size(); i += 2) samples.push_back(stereo[i]);
    return samples;
}

double rms(const std::vector<float>& samples)
{
    double sum = 0;
    for (const float s : samples) sum += static_cast<double>(s) * s;
    return samples.empty() ? 0.0 : std::sqrt(sum / static_cast<double>(samples.size()));
}

double measuredFrequency(const std::vector<float>& samples, int rate)
{
    std::vector<double> crossings;
    for (std::size_t i = 1; i < samples.size(); ++i) {
        if (samples[i - 1] < 0.0f && samples[i] >= 0.0f) {
            crossings.push_back(static_cast<double>(i - 1) + samples[i - 1] / (samples[i - 1] - samples[i]));
        }
    }
    if (crossings.size() < 3) return 0.0;
    return (static_cast<double>(crossings.size()) - 1.0) * rate / (crossings.back() - crossings.front());
}

}  // namespace audio_test
