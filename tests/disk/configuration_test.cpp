// Configuration files of every odd kind, each with the messages it must show,
// in order, and whether the disk then plays or is refused in order.
#include "tests/disk/sound_fixture.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

const char* const kUnsupported = "Unsupported song type";
const char* const kFailedLoad = "Failed to load music file. Sorry.";

enum class Outcome { Plays, Refused };

struct ConfigCase {
    const char* name;
    std::optional<std::string> config;  // none: there is no disk.cfg
    std::vector<std::string> messages;
    Outcome outcome;
    int loads = 0;  // tracks whose file the library opened
};

std::string entry(const std::string& type, const std::string& file, const std::string& title) {
    return type + "\n" + file + "\n" + title + "\n";
}
const std::string kTwoTracks = entry("stream", "low.wav", "Low") + entry("mod", "tune.mod", "Tune");

const ConfigCase kCases[] = {
    {"plain", "2\n" + kTwoTracks + "Text.\n", {}, Outcome::Plays, 2},
    {"blank lines before the count", "\n\n  \n2\n" + kTwoTracks + "Text.\n", {}, Outcome::Plays, 2},
    {"words after the count", "2 tracks\n" + kTwoTracks + "Text.\n", {}, Outcome::Plays, 2},
    {"type in capitals", "2\n" + entry("stream", "low.wav", "Low") + entry("MOD", "tune.mod", "Tune"),
     {kUnsupported, kFailedLoad}, Outcome::Plays, 1},
    {"type capitalised", "2\n" + entry("Stream", "low.wav", "Low") + entry("mod", "tune.mod", "Tune"),
     {kUnsupported, kFailedLoad}, Outcome::Plays, 1},
    {"blank before the type", "2\n" + entry(" mod", "tune.mod", "Tune") + entry("stream", "low.wav", "Low"),
     {kUnsupported, kFailedLoad}, Outcome::Plays, 1},
    {"blank after the type", "2\n" + entry("stream", "low.wav", "Low") + entry("mod ", "tune.mod", "Tune"),
     {kUnsupported, kFailedLoad}, Outcome::Plays, 1},
    {"missing music file", "2\n" + entry("stream", "gone.wav", "Gone") + entry("mod", "tune.mod", "Tune"),
     {kFailedLoad}, Outcome::Plays, 1},
    {"fewer entries than the count", "3\n" + kTwoTracks, {kUnsupported, kFailedLoad}, Outcome::Plays, 2},
    {"no scroll text", "2\n" + kTwoTracks, {}, Outcome::Plays, 2},
    {"last line without a line feed", "2\n" + kTwoTracks + "Text.", {}, Outcome::Plays, 2},
    {"title without a line feed", "2\n" + entry("stream", "low.wav", "Low") + "mod\ntune.mod\nTune", {},
     Outcome::Plays, 2},
    {"no disk.cfg", std::nullopt, {"Cannot open the disk configuration data/disk.cfg"}, Outcome::Refused},
    {"empty file", "", {"The track count in data/disk.cfg cannot be read"}, Outcome::Refused},
    {"blank lines only", "\n\n\n", {"The track count in data/disk.cfg cannot be read"}, Outcome::Refused},
    {"count not a number", "abc\n" + kTwoTracks, {"The track count in data/disk.cfg cannot be read"},
     Outcome::Refused},
    {"count -1", "-1\n" + kTwoTracks, {"data/disk.cfg lists no tracks"}, Outcome::Refused},
    {"count 0", "0\n" + kTwoTracks, {"data/disk.cfg lists no tracks"}, Outcome::Refused},
    {"count 2147483647", "2147483647\n" + kTwoTracks, {"data/disk.cfg lists more tracks than it holds"},
     Outcome::Refused},
    {"count beyond 32 bits", "4294967298\n" + kTwoTracks, {"data/disk.cfg lists more tracks than it holds"},
     Outcome::Refused},
};

// A tiny module for the "mod" entries: the shipped four-channel tune.
std::string shippedModule() { return readFile(shippedDiskRoot() / "data" / "music" / "paper_robots.mod"); }

TEST(Configuration, EachFileShowsItsMessagesInOrderAndPlaysOrIsRefusedInOrder) {
    const std::string module = shippedModule();
    ASSERT_FALSE(module.empty());
    for (const ConfigCase& c : kCases) {
        SCOPED_TRACE(c.name);
        TemporaryFolder folder;
        makeDisk(folder.path(), c.config.value_or(""), {{"tune.mod", module}});
        writeTone(folder.path() / "data" / "music" / "low.wav", 220, 3);
        if (!c.config) std::filesystem::remove(folder.path() / "data" / "disk.cfg");

        CaptureRun run{folder.path()};
        run.seconds = 0.5;
        const CaptureResult result = runCapture(run);
        ASSERT_EQ(result.exitCode, 0) << "the program must not crash: " << result.errorOutput;
        EXPECT_EQ(result.messages(), c.messages);
        for (const TraceEvent& box : result.events("message")) {
            EXPECT_EQ(box["caption"], "Velmora");
            EXPECT_EQ(box.number("style"), 0) << "one OK button";
        }
        const TraceEvent* exit = result.exitEvent();
        ASSERT_NE(exit, nullptr);
        int loaded = 0;
        for (const std::string& handle : trackHandles(result)) loaded += handle != "0";
        EXPECT_EQ(loaded, c.loads);
        if (c.outcome == Outcome::Plays) {
            EXPECT_EQ((*exit)["reason"], "timeout");
            EXPECT_FALSE(result.audioCalls("BASS_ChannelPlay").empty());
        } else {
            EXPECT_EQ(exit->number("frames"), 0) << "no frame runs on a refused disk";
            EXPECT_EQ((*exit)["reason"], "no-active-scene");
            EXPECT_TRUE(trackHandles(result).empty());
            EXPECT_TRUE(result.audioCalls("BASS_ChannelPlay").empty());
        }
    }
}

}  // namespace
