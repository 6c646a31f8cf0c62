// The whole program on disks made to break it: bad counts, huge texts, random
// bytes, missing or malformed pictures and effects, music that cannot be read.
// Each run must end with the messages the user is owed, in its virtual time,
// within a memory bound, and without a crash.
#include "platform/soft_device.h"
#include "tests/support/capture_run.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <fcntl.h>
#include <functional>
#include <random>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

const std::string kFailedMusic = "Failed to load music file. Sorry.";
const std::string kCountUnreadable = "The track count in data/disk.cfg cannot be read";
const std::string kNoTracks = "data/disk.cfg lists no tracks";
const std::string kTooManyTracks = "data/disk.cfg lists more tracks than it holds";
const std::string kNoFont = "Failed to create default font";
const std::string kNoEffect = "Failed to create effect gui.fx";
const std::string kNoTechnique = "No such technique GUI in gui.fx";

// A run that reaches the main screen, where the marquee, the equalizer and the
// buttons draw, and goes on to the about screen with its scrolling text.
constexpr double kSeconds = 9;
const std::string kToAboutScreen = "7500 down a\n7600 up a\n";
// The program on the shipped disk stays near 30 MB; a case that allocates what
// a hostile count or size asks for goes far beyond.
constexpr long kMemoryBoundKb = 256 * 1024;

const fs::path& shippedData() {
    static const fs::path data = shippedDiskRoot() / "data";
    return data;
}

std::string shipped(const std::string& name) { return readFile(shippedData() / name); }

std::string oneTrackConfig(const std::string& title = "Paper Robots", const std::string& scrollText = "Hello\n") {
    return "1\nmod\npaper_robots.mod\n" + title + "\n" + scrollText;
}

// A bad music file listed twice, once for each loader, before a good track
// that the disk moves on to.
std::string badMusicConfig(const std::string& name) {
    return "3\nmod\n" + name + "\nBad module\nstream\n" + name + "\nBad stream\nmod\npaper_robots.mod\nGood\n";
}

std::string randomBytes(std::size_t count, std::uint32_t seed) {
    std::mt19937 random(seed);
    std::string bytes(count, '\0');
    for (char& c : bytes) c = static_cast<char>(random() & 0xFF);
    return bytes;
}

std::string repeated(const std::string& line, std::size_t totalBytes) {
    std::string text;
    text.reserve(totalBytes + line.size());
    while (text.size() < totalBytes) text += line;
    return text;
}

// A valid PNG of the given pixels, made by the project's own writer.
std::string pngOf(int width, int height) {
    softgfx::Image image;
    image.width = width;
    image.height = height;
    image.rgba.assign(static_cast<std::size_t>(width * height * 4), 0xFF);
    const fs::path scratch = fs::temp_directory_path() / ("velmora-hostile-" + std::to_string(getpid()) + ".png");
    EXPECT_TRUE(softgfx::writePng(image, scratch.string()));
    std::string bytes = readFile(scratch);
    fs::remove(scratch);
    return bytes;
}

// A 1 x 1 picture whose header claims 65,535 x 65,535 pixels (16 GB of RGBA),
// with a correct header checksum so that only the size is a lie.
std::string pngDeclaringHugeSize() {
    std::string png = pngOf(1, 1);
    // The IHDR chunk: length at 8, type at 12, width and height at 16 and 20, CRC at 29.
    for (int offset : {16, 20}) {
        png[offset] = 0;
        png[offset + 1] = 0;
        png[offset + 2] = static_cast<char>(0xFF);
        png[offset + 3] = static_cast<char>(0xFF);
    }
    const uLong crc = crc32(0, reinterpret_cast<const Bytef*>(png.data() + 12), 17);
    for (int i = 0; i < 4; ++i) png[29 + i] = static_cast<char>((crc >> (24 - 8 * i)) & 0xFF);
    return png;
}

std::string effectWithout(const std::string& what, const std::string& replacement) {
    std::string effect = shipped("gui.fx");
    const std::size_t at = effect.find(what);
    EXPECT_NE(at, std::string::npos) << what;
    return effect.replace(at, what.size(), replacement);
}

struct HostileCase {
    const char* name;
    std::function<void(const fs::path& data)> make;  // changes the good one-track disk
    std::vector<std::string> messages;               // every message of the run, in order
    const char* endReason;                           // "timeout" when the disk plays on
};

void setConfig(const fs::path& data, const std::string& text) { writeFile(data / "disk.cfg", text); }

std::function<void(const fs::path&)> config(std::string text) {
    return [text](const fs::path& data) { setConfig(data, text); };
}

std::function<void(const fs::path&)> replaceFile(const char* name, std::function<std::string()> bytes) {
    return [name, bytes](const fs::path& data) { writeFile(data / name, bytes()); };
}

std::function<void(const fs::path&)> removeFile(const char* name) {
    return [name](const fs::path& data) { fs::remove(data / name); };
}

std::function<void(const fs::path&)> badMusic(std::function<void(const fs::path& file)> make) {
    return [make](const fs::path& data) {
        setConfig(data, badMusicConfig("bad.bin"));
        make(data / "music" / "bad.bin");
    };
}

std::string tenThousandTracks() {
    std::string text = "10000\n";
    for (int i = 0; i < 10000; ++i) text += "mod\npaper_robots.mod\nTrack " + std::to_string(i) + "\n";
    return text + "Ten thousand\n";
}

const std::vector<HostileCase>& hostileCases() {
    static const std::vector<HostileCase> cases = {
        {"EmptyConfiguration", config(""), {kCountUnreadable}, "no-active-scene"},
        {"CountMinusOne", config("-1\n" + oneTrackConfig().substr(2)), {kNoTracks}, "no-active-scene"},
        {"CountZero", config("0\n" + oneTrackConfig().substr(2)), {kNoTracks}, "no-active-scene"},
        {"CountLargestInt", config("2147483647\n" + oneTrackConfig().substr(2)), {kTooManyTracks}, "no-active-scene"},
        {"CountNotANumber", config("abc\n" + oneTrackConfig().substr(2)), {kCountUnreadable}, "no-active-scene"},
        {"ConfigurationOfRandomBytes", config(randomBytes(4096, 6)), {kCountUnreadable}, "no-active-scene"},
        {"TenThousandTracksOfOneModule", config(tenThousandTracks()), {}, "timeout"},
        {"TitleOf100000Bytes", config(oneTrackConfig(repeated("Long title ", 100000).substr(0, 100000))), {}, "timeout"},
        {"ScrollTextOf5MB", config(oneTrackConfig("Paper Robots", repeated("A line of the scroll text\n", 5 << 20))),
         {}, "timeout"},
        {"AtlasMissing", removeFile("velmora.png"), {}, "timeout"},
        {"FontMissing", removeFile("font.png"), {kNoFont}, "quit"},
        {"EffectMissing", removeFile("gui.fx"), {kNoEffect}, "timeout"},
        {"AtlasTruncated", replaceFile("velmora.png", [] { return shipped("velmora.png").substr(0, 1000); }), {},
         "timeout"},
        {"FontTruncated", replaceFile("font.png", [] { return shipped("font.png").substr(0, 1000); }), {kNoFont},
         "quit"},
        {"AtlasDeclaring65535Squared", replaceFile("velmora.png", pngDeclaringHugeSize), {}, "timeout"},
        {"FontDeclaring65535Squared", replaceFile("font.png", pngDeclaringHugeSize), {kNoFont}, "quit"},
        {"AtlasOfOnePixel", replaceFile("velmora.png", [] { return pngOf(1, 1); }), {}, "timeout"},
        {"FontOfOnePixel", replaceFile("font.png", [] { return pngOf(1, 1); }), {}, "timeout"},
        {"EffectEmpty", replaceFile("gui.fx", [] { return std::string(); }), {kNoEffect}, "timeout"},
        {"EffectWithoutTechnique", replaceFile("gui.fx", [] { return effectWithout("technique GUI", "technique Other"); }),
         {kNoTechnique}, "timeout"},
        {"EffectWhoseShaderDoesNotCompile",
         replaceFile("gui.fx", [] { return effectWithout("fragment = texture(texture_0, uv) * tint;", "fragment = ;"); }),
         {kNoEffect}, "timeout"},
        {"MusicEmpty", badMusic([](const fs::path& file) { writeFile(file, ""); }), {kFailedMusic, kFailedMusic},
         "timeout"},
        {"MusicOfRandomBytes", badMusic([](const fs::path& file) { writeFile(file, randomBytes(65536, 9)); }),
         {kFailedMusic, kFailedMusic}, "timeout"},
        {"MusicIsAFolder", badMusic([](const fs::path& file) { fs::create_directories(file); }),
         {kFailedMusic, kFailedMusic}, "timeout"},
        {"MusicThroughADanglingSymlink",
         badMusic([](const fs::path& file) { fs::create_symlink(file.parent_path() / "gone.bin", file); }),
         {kFailedMusic, kFailedMusic}, "timeout"},
    };
    return cases;
}

class HostileData : public testing::TestWithParam<HostileCase> {};

CaptureResult runOn(const std::function<void(const fs::path&)>& make, TemporaryFolder& folder) {
    makeDisk(folder.path(), oneTrackConfig(), {{"paper_robots.mod", shipped("music/paper_robots.mod")}});
    make(folder.path() / "data");
    CaptureRun run{folder.path()};
    run.seconds = kSeconds;
    run.script = kToAboutScreen;
    return runCapture(run);
}

void expectOrderlyEnd(const CaptureResult& result, const std::vector<std::string>& messages, const char* endReason) {
    ASSERT_EQ(result.exitCode, 0) << result.errorOutput;
    EXPECT_EQ(result.messages(), messages);
    const TraceEvent* end = result.exitEvent();
    ASSERT_NE(end, nullptr);
    EXPECT_EQ((*end)["reason"], endReason);
    EXPECT_LE(end->t, static_cast<std::uint32_t>(kSeconds * 1000) + 100);
    EXPECT_LT(result.peakResidentKb, kMemoryBoundKb);
    for (const TraceEvent& message : result.events("message")) EXPECT_EQ(message["caption"], "Velmora");
}

TEST_P(HostileData, EndsWithItsMessagesWithinTimeAndMemory) {
    TemporaryFolder folder;
    const CaptureResult result = runOn(GetParam().make, folder);
    expectOrderlyEnd(result, GetParam().messages, GetParam().endReason);
}

INSTANTIATE_TEST_SUITE_P(Cases, HostileData, testing::ValuesIn(hostileCases()),
                         [](const testing::TestParamInfo<HostileCase>& param) { return param.param.name; });

// A music file the program may not read. Under root, which CI runs as, the
// permission does not stop reading: the case then says so and is skipped
// (the dangling symlink above covers an unopenable file everywhere).
TEST(HostileMusic, FileWithoutReadPermissionFailsToLoad) {
    TemporaryFolder folder;
    const auto make = badMusic([](const fs::path& file) {
        writeFile(file, shipped("music/paper_robots.mod"));
        fs::permissions(file, fs::perms::none);
    });
    makeDisk(folder.path(), oneTrackConfig(), {{"paper_robots.mod", shipped("music/paper_robots.mod")}});
    make(folder.path() / "data");
    const fs::path file = folder.path() / "data" / "music" / "bad.bin";
    if (const int descriptor = ::open(file.c_str(), O_RDONLY); descriptor >= 0) {
        ::close(descriptor);
        GTEST_SKIP() << "this user reads files without read permission (root): chmod 000 cannot make one unreadable";
    }
    CaptureRun run{folder.path()};
    run.seconds = kSeconds;
    expectOrderlyEnd(runCapture(run), {kFailedMusic, kFailedMusic}, "timeout");
}

// Truncated music may still hold a playable start: whether it loads is the
// decoder's call, but the disk must go on either way and reach the good track.
TEST(HostileMusic, TruncatedFilesLoadOrFailButTheDiskGoesOn) {
    for (const char* name : {"glass_harbour.xm", "night_ferry.ogg", "paper_robots.mod"}) {
        SCOPED_TRACE(name);
        TemporaryFolder folder;
        const std::string whole = shipped(std::string("music/") + name);
        const CaptureResult result = runOn(badMusic([&whole](const fs::path& file) {
                                               writeFile(file, whole.substr(0, whole.size() / 3));
                                           }),
                                           folder);
        ASSERT_EQ(result.exitCode, 0) << result.errorOutput;
        for (const std::string& message : result.messages()) EXPECT_EQ(message, kFailedMusic);
        ASSERT_NE(result.exitEvent(), nullptr);
        EXPECT_EQ((*result.exitEvent())["reason"], "timeout");
        EXPECT_LT(result.peakResidentKb, kMemoryBoundKb);
    }
}

}  // namespace
