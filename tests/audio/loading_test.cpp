// Loading: what fails with handle 0 (and must not crash), the disk's path
// notation, and the failures the headless world can order.
#include "tests/audio/audio_fixture.h"
#include "tests/audio/module_fixtures.h"

#include "platform/bass_headless.h"

#include <sndfile.h>
#include <sys/stat.h>

#include <fstream>
#include <iterator>
#include <random>

namespace audio_test {
namespace {

constexpr DWORD kDiskModuleFlags = BASS_MUSIC_POSRESET | BASS_MUSIC_FT2MOD | BASS_MUSIC_RAMP | BASS_SAMPLE_FLOAT;

HMUSIC loadModule(const std::string& path)
{
    return BASS_MusicLoad(FALSE, path.c_str(), 0, 0, kDiskModuleFlags, 0);
}

HSTREAM loadStream(const std::string& path)
{
    return BASS_StreamCreateFile(FALSE, path.c_str(), 0, 0, BASS_SAMPLE_FLOAT);
}

std::vector<std::uint8_t> randomBytes(std::size_t count)
{
    std::mt19937 generator(4);
    std::vector<std::uint8_t> bytes(count);
    for (auto& b : bytes) b = static_cast<std::uint8_t>(generator());
    return bytes;
}

using Loading = AudioTest;

TEST_F(Loading, BadFilesGiveHandleZero)
{
    const std::vector<std::uint8_t> module = fastTrackerModule().bytes;
    const std::string wav = writeTone("good.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, kRate, 2, 440.0, 0.1);
    std::ifstream wavFile(wav, std::ios::binary);
    const std::vector<std::uint8_t> wavBytes((std::istreambuf_iterator<char>(wavFile)), {});
    std::filesystem::create_directory(folder_ / "folder.xm");
    const std::string fifo = (folder_ / "pipe.wav").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);

    const struct {
        const char* name;
        std::string path;
    } cases[] = {
        {"missing", (folder_ / "missing.xm").string()},
        {"empty", writeFile("empty.xm", {})},
        {"truncated module", writeFile("cut.xm", {module.begin(), module.begin() + 40})},
        {"truncated wav", writeFile("cut.wav", {wavBytes.begin(), wavBytes.begin() + 20})},
        {"random bytes", writeFile("noise.bin", randomBytes(4096))},
        {"a folder", (folder_ / "folder.xm").string()},
        {"a named pipe, which must not block", fifo},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(loadModule(c.path), 0u);
        EXPECT_EQ(loadStream(c.path), 0u);
    }
}

TEST_F(Loading, OnlyWholeFilesOnAnInitialisedLibrary)
{
    const std::string path = writeFile("tone.xm", fastTrackerModule().bytes);
    EXPECT_EQ(BASS_MusicLoad(TRUE, path.c_str(), 0, 0, kDiskModuleFlags, 0), 0u) << "from memory";
    EXPECT_EQ(BASS_MusicLoad(FALSE, path.c_str(), 16, 0, kDiskModuleFlags, 0), 0u) << "at an offset";
    EXPECT_EQ(BASS_MusicLoad(FALSE, nullptr, 0, 0, kDiskModuleFlags, 0), 0u) << "no path";
    const HMUSIC first = loadModule(path);
    EXPECT_NE(first, 0u);

    EXPECT_FALSE(BASS_Init(-1, kRate, 0, nullptr, nullptr)) << "already initialised";
    ASSERT_TRUE(BASS_Free());
    EXPECT_EQ(BASS_ChannelIsActive(first), BASS_ACTIVE_STOPPED);
    EXPECT_FALSE(BASS_MusicFree(first)) << "BASS_Free freed it";
    EXPECT_EQ(loadModule(path), 0u) << "not initialised";

    ASSERT_TRUE(BASS_Init(-1, kRate, 0, nullptr, nullptr));
    const HMUSIC second = loadModule(path);
    EXPECT_NE(second, 0u);
    EXPECT_NE(second, first) << "a handle is never reused";
}

TEST_F(Loading, DiskPathsUseBackslashesAndForgiveLetterCase)
{
    std::filesystem::create_directories(folder_ / "data" / "Music");
    const std::string modulePath = writeFile("data/Music/Song.XM", fastTrackerModule().bytes);
    writeTone("data/Music/exact.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, kRate, 1, 440.0, 0.1);
    writeTone("data/Music/EXACT.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, kRate, 1, 440.0, 0.1, 0.0);
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(folder_);

    EXPECT_NE(loadModule("data\\music\\song.xm"), 0u);
    EXPECT_NE(loadModule("DATA\\MUSIC\\SONG.XM"), 0u);
    EXPECT_NE(loadModule("data/Music/Song.XM"), 0u);
    EXPECT_EQ(loadModule("data\\music\\song.mod"), 0u);
    // With several names of that spelling, the exact one is taken: the silent one here.
    const HSTREAM exact = loadStream("data\\music\\EXACT.wav");
    BASS_ChannelPlay(exact, FALSE);
    EXPECT_EQ(rms(listen(50)), 0.0);

    const std::wstring wide = L"data\\music\\song.xm";
    EXPECT_NE(BASS_MusicLoad(FALSE, wide.c_str(), 0, 0, kDiskModuleFlags | BASS_UNICODE, 0), 0u);
    std::filesystem::current_path(previous);
    EXPECT_NE(loadModule(modulePath), 0u) << "an absolute path";
}

TEST_F(Loading, OrderedFailures)
{
    const std::string good = writeFile("Good.xm", fastTrackerModule().bytes);
    const std::string bad = writeFile("Bad.xm", fastTrackerModule().bytes);
    bass_headless::failLoadsMatching("Bad");
    EXPECT_NE(loadModule(good), 0u);
    EXPECT_EQ(loadModule(bad), 0u);
    bass_headless::failAllLoads();
    EXPECT_EQ(loadModule(good), 0u);

    EXPECT_EQ(BASS_GetVersion() >> 16, 0x0203u);
    bass_headless::reportVersion(0x02040000);
    EXPECT_EQ(BASS_GetVersion(), 0x02040000u);

    bass_headless::reset();
    EXPECT_EQ(BASS_GetVersion() >> 16, 0x0203u);
    bass_headless::failInit(true);
    EXPECT_FALSE(BASS_Init(-1, kRate, 0, nullptr, nullptr));
    EXPECT_EQ(loadModule(good), 0u) << "nothing loads without an output";
    EXPECT_EQ(BASS_GetVolume(), static_cast<DWORD>(-1));
}

}  // namespace
}  // namespace audio_test
