// The trace observer sees every call with JSON arguments and result.
#include "tests/audio/audio_fixture.h"
#include "tests/audio/module_fixtures.h"

#include "platform/bass_trace.h"

#include <array>

namespace audio_test {
namespace {

class Trace : public AudioTest {
protected:
    void SetUp() override
    {
        AudioTest::SetUp();
        bass_trace::setObserver([this](const bass_trace::Call& call) { calls_.push_back(call); });
    }
    void TearDown() override
    {
        bass_trace::setObserver({});
        AudioTest::TearDown();
    }

    std::string line(std::size_t index) const
    {
        const bass_trace::Call& call = calls_.at(index);
        std::string text = call.name + "(";
        for (std::size_t i = 0; i < call.args.size(); ++i) text += (i ? "," : "") + call.args[i];
        return text + ")=" + call.result;
    }

    std::vector<bass_trace::Call> calls_;
};

TEST_F(Trace, EveryCallWithJsonArgumentsAndResult)
{
    std::filesystem::create_directories(folder_ / "a\"b");
    const std::string path = writeFile("a\"b/tone.xm", fastTrackerModule().bytes);
    BASS_Free();
    BASS_Init(-1, kRate, 0, nullptr, nullptr);
    const HMUSIC handle = BASS_MusicLoad(FALSE, path.c_str(), 0, 0, 0xA300, 0);
    BASS_ChannelPlay(handle, TRUE);
    BASS_ChannelIsActive(handle);
    std::array<float, 256> bins{};
    BASS_ChannelGetData(handle, bins.data(), BASS_DATA_FFT512);
    BASS_SetVolume(80);
    BASS_StreamCreateFile(FALSE, "missing\\file.ogg", 0, 0, BASS_SAMPLE_FLOAT);

    std::string escaped = path;
    escaped.replace(escaped.find('"'), 1, "\\\"");
    const std::string h = std::to_string(handle);
    const std::vector<std::string> expected = {
        "BASS_Free()=true",
        "BASS_Init(-1,44100,0,null,null)=true",
        "BASS_MusicLoad(false,\"" + escaped + "\",0,0,41728,0)=" + h,
        "BASS_ChannelPlay(" + h + ",true)=true",
        "BASS_ChannelIsActive(" + h + ")=1",
        "BASS_ChannelGetData(" + h + ",\"<ptr>\",2147483648)=1024",
        "BASS_SetVolume(80)=true",
        "BASS_StreamCreateFile(false,\"missing\\\\file.ogg\",0,0,256)=0",
    };
    ASSERT_EQ(calls_.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(line(i), expected[i]);

    bass_trace::setObserver({});
    BASS_GetVersion();
    EXPECT_EQ(calls_.size(), expected.size()) << "no observer, no trace";
}

}  // namespace
}  // namespace audio_test
