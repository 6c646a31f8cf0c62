// Loading the disk with what the capture tool cannot set from outside: the
// version the library reports and the master volume found at start. The whole
// program runs in this process, on the headless backends.
#include "tests/disk/in_process_run.h"
#include "tests/disk/sound_fixture.h"

#include "disk/playlist.h"
#include "platform/bass.h"
#include "platform/bass_headless.h"

#include <gtest/gtest.h>

namespace {

const std::string kConfig = "1\nstream\nlow.wav\nLow\nText.\n";

struct ToneDiskFolder {
    TemporaryFolder folder;
    explicit ToneDiskFolder(const std::string& config) {
        makeDisk(folder.path(), config);
        writeTone(folder.path() / "data" / "music" / "low.wav", 220, 2);
    }
};

std::size_t indexOf(const std::vector<std::string>& events, const std::string& prefix) {
    for (std::size_t i = 0; i < events.size(); ++i)
        if (events[i].rfind(prefix, 0) == 0) return i;
    return events.size();
}

TEST(LoadingInProcess, AnotherLibraryVersionIsReportedOnceBeforeAnyTrackLoadsAndTheDiskStillPlays) {
    const char* const kWrongVersion = "An incorrect version of BASS.DLL was loaded";
    const struct {
        DWORD version;
        bool wrong;
    } cases[] = {{0x02030000, false}, {0x0203FFFF, false}, {0x02040000, true}, {0x02020000, true}, {0x00000000, true}};
    ToneDiskFolder disk(kConfig);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.version);
        InProcessRun run{disk.folder.path()};
        run.beforeStart = [&c] { bass_headless::reportVersion(c.version); };
        const InProcessResult result = runInProcess(run);
        if (!c.wrong) {
            EXPECT_TRUE(result.messages.empty());
            continue;
        }
        EXPECT_EQ(result.messages, std::vector<std::string>{kWrongVersion});
        const std::size_t message = indexOf(result.events, std::string("message ") + kWrongVersion);
        EXPECT_LT(message, indexOf(result.events, "BASS_Init"));
        EXPECT_LT(message, indexOf(result.events, "BASS_StreamCreateFile"));
        EXPECT_LT(indexOf(result.events, "BASS_ChannelPlay("), result.events.size());
        EXPECT_GT(result.frames, 0u);
    }
}

TEST(LoadingInProcess, TheVolumeStepIsTheMasterVolumeInTensAndStaysInRangeWhenTheVolumeCannotBeRead) {
    const struct {
        int volume;  // -1: the output cannot be opened, so the volume cannot be read
        int step;
    } cases[] = {{75, 7}, {100, 10}, {0, 0}, {9, 0}, {-1, -1}};
    ToneDiskFolder disk(kConfig);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.volume);
        InProcessRun run{disk.folder.path()};
        // The output is already open at the given volume when the disk starts,
        // as the system's own volume would be.
        run.beforeStart = [&c] {
            if (c.volume < 0) {
                bass_headless::failInit(true);
                return;
            }
            BASS_Init(-1, 44100, 0, nullptr, nullptr);
            BASS_SetVolume(static_cast<DWORD>(c.volume));
        };
        std::vector<std::int32_t> steps;
        run.afterFrame = [&steps] { steps.push_back(playlist.volumeStep); };
        runInProcess(run);
        ASSERT_FALSE(steps.empty());
        if (c.step >= 0) {
            EXPECT_EQ(steps.front(), c.step);
        } else {
            EXPECT_GE(steps.front(), 0);
            EXPECT_LE(steps.front(), 10);
        }
    }
}

// What the screens read of the configuration, whichever line ends the file was written with.
struct ReadBack {
    std::vector<std::string> titles;
    std::string scrollText;
    float scrollTextHeight = 0;
    std::vector<std::string> loads;
};

ReadBack readBack(const std::string& config) {
    ToneDiskFolder disk(config);
    writeTone(disk.folder.path() / "data" / "music" / "high tone.wav", 880, 1);
    InProcessRun run{disk.folder.path()};
    ReadBack seen;
    run.afterFrame = [&seen] {
        seen.titles = playlist.trackTitles;
        seen.scrollText = playlist.scrollText;
        seen.scrollTextHeight = playlist.scrollTextHeight;
    };
    const InProcessResult result = runInProcess(run);
    for (const std::string& e : result.events)
        if (e.rfind("BASS_StreamCreateFile", 0) == 0) seen.loads.push_back(e);
    EXPECT_TRUE(result.messages.empty()) << result.messages.front();
    return seen;
}

std::string withCrLf(const std::string& text) {
    std::string out;
    for (char c : text) out += c == '\n' ? std::string("\r\n") : std::string(1, c);
    return out;
}

TEST(LoadingInProcess, CrLfAndLfFilesGiveTheSameTitlesPathsAndScrollText) {
    const std::string tracks = "2\nstream\nlow.wav\nLow  Tone \nstream\nhigh tone.wav\n High\n";
    const struct {
        const char* name;
        std::string tail;
        std::string scrollText;
    } cases[] = {
        {"no scroll text", "", ""},
        {"lines with a blank one between", "First line\n\nThird line\n", "First line\n\nThird line\n"},
        {"last line without a line feed", "Only line", "Only line\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const ReadBack lf = readBack(tracks + c.tail);
        const ReadBack crlf = readBack(withCrLf(tracks + c.tail));
        EXPECT_EQ(lf.titles, (std::vector<std::string>{"Low  Tone ", " High"}));
        EXPECT_EQ(lf.scrollText, c.scrollText);
        EXPECT_EQ(lf.loads.size(), 2u);
        EXPECT_EQ(crlf.titles, lf.titles);
        EXPECT_EQ(crlf.scrollText, lf.scrollText);
        EXPECT_EQ(crlf.scrollTextHeight, lf.scrollTextHeight);
        EXPECT_EQ(crlf.loads, lf.loads);
        if (c.scrollText.empty()) EXPECT_EQ(lf.scrollTextHeight, 0.0f);
        else EXPECT_LT(lf.scrollTextHeight, 0.0f);
    }
}

}  // namespace
