#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

const fs::path shippedData = SHIPPED_DATA_PATH;

std::string readFile(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<std::string> linesOf(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

// The font draws space to Z; lower case is drawn as capitals. Anything else
// would silently vanish from the about screen.
bool drawable(char c) { return (c >= ' ' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

void expectDrawable(const std::string& line)
{
    for (char c : line)
        EXPECT_TRUE(drawable(c)) << "undrawable byte " << static_cast<int>(static_cast<unsigned char>(c)) << " in: " << line;
}

TEST(ShippedDisk, ConfigurationListsPlayableTracksAndDrawableText)
{
    std::vector<std::string> lines = linesOf(readFile(shippedData / "disk.cfg"));
    ASSERT_FALSE(lines.empty());
    int count = std::stoi(lines[0]);
    ASSERT_GE(count, 3);
    ASSERT_GT(lines.size(), static_cast<std::size_t>(1 + 3 * count)) << "no scroll text";
    EXPECT_EQ(lines[1], "mod") << "track 0 plays from the first frame, so it must be a module";
    for (int track = 0; track < count; ++track) {
        const std::string& type = lines[static_cast<std::size_t>(1 + 3 * track)];
        const std::string& name = lines[static_cast<std::size_t>(2 + 3 * track)];
        const std::string& title = lines[static_cast<std::size_t>(3 + 3 * track)];
        EXPECT_TRUE(type == "mod" || type == "stream") << "track " << track << ": " << type;
        EXPECT_TRUE(fs::is_regular_file(shippedData / "music" / name)) << name;
        EXPECT_FALSE(title.empty()) << "track " << track;
        expectDrawable(title);
    }
    for (std::size_t scrollLine = static_cast<std::size_t>(1 + 3 * count); scrollLine < lines.size(); ++scrollLine)
        expectDrawable(lines[scrollLine]);
}

TEST(ShippedDisk, MusicStaysWithinItsShareOfTheDisk)
{
    std::uintmax_t total = 0;
    for (const fs::directory_entry& entry : fs::directory_iterator(shippedData / "music"))
        total += entry.file_size();
    EXPECT_LT(total, 2u * 1024 * 1024);
}

// Also proves the tool deterministic: the committed files came from another run.
TEST(ShippedDisk, MakeMusicRecreatesTheCommittedFilesByteForByte)
{
    fs::path output = fs::temp_directory_path() / ("velmora-music-" + std::to_string(::getpid()));
    fs::remove_all(output);
    std::string command = std::string("\"") + MAKE_MUSIC_PATH + "\" \"" + output.string() + "\"";
    ASSERT_EQ(std::system(command.c_str()), 0);

    EXPECT_EQ(readFile(output / "disk.cfg"), readFile(shippedData / "disk.cfg")) << "disk.cfg";
    std::size_t made = 0;
    for (const fs::directory_entry& entry : fs::directory_iterator(output / "music")) {
        ++made;
        fs::path shipped = shippedData / "music" / entry.path().filename();
        ASSERT_TRUE(fs::exists(shipped)) << entry.path().filename() << " is made but not committed";
        EXPECT_TRUE(readFile(entry.path()) == readFile(shipped)) << entry.path().filename() << " differs";
    }
    EXPECT_EQ(made, static_cast<std::size_t>(std::distance(fs::directory_iterator(shippedData / "music"),
                                                           fs::directory_iterator())));
    fs::remove_all(output);
}

} // namespace
