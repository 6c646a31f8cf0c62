// make-music: writes the disk's music and its configuration, or measures them.
//
//   make-music DATA_FOLDER           writes DATA_FOLDER/music/* and DATA_FOLDER/disk.cfg
//   make-music --check DATA_FOLDER   plays every track as the disk would and prints its figures
//
// Output depends on nothing but this program, so running it again re-creates
// every file byte for byte.

#include "tools/music/disk_config.h"
#include "tools/music/glass_harbour.h"
#include "tools/music/mod_writer.h"
#include "tools/music/music_check.h"
#include "tools/music/night_ferry.h"
#include "tools/music/ogg_file.h"
#include "tools/music/paper_robots.h"
#include "tools/music/xm_writer.h"

#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string_view>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct ShippedTrack {
    music::DiskTrack entry;
    std::function<void(const fs::path&)> write;
    std::function<bool(const fs::path&)> check;
};

constexpr double oggQuality = 0.3;

void writeBytes(const fs::path& file, const std::vector<std::uint8_t>& bytes)
{
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + file.string());
}

// Track 0 must be a module: it starts on the first frame, before anything can
// have been streamed.
std::vector<ShippedTrack> shippedTracks()
{
    return {
        {{"mod", "glass_harbour.xm", "Glass Harbour", "XM MODULE, 11 CHANNELS"},
         [](const fs::path& file) { writeBytes(file, music::writeXm(music::glassHarbour())); },
         music::checkModule},
        {{"stream", "night_ferry.ogg", "Night Ferry", "OGG VORBIS STREAM"},
         [](const fs::path& file) { music::writeOggVorbis(file, music::nightFerry(), music::streamSampleRate, oggQuality); },
         music::checkStream},
        {{"mod", "paper_robots.mod", "Paper Robots", "FOUR CHANNEL MOD"},
         [](const fs::path& file) { writeBytes(file, music::writeMod(music::paperRobots())); },
         music::checkModule},
    };
}

void writeDisk(const fs::path& dataFolder)
{
    fs::create_directories(dataFolder / "music");
    std::vector<music::DiskTrack> entries;
    for (const ShippedTrack& track : shippedTracks()) {
        track.write(dataFolder / "music" / track.entry.fileName);
        entries.push_back(track.entry);
    }
    std::ofstream config(dataFolder / "disk.cfg", std::ios::binary | std::ios::trunc);
    config << music::diskConfigText(entries);
    if (!config)
        throw std::runtime_error("cannot write " + (dataFolder / "disk.cfg").string());
}

bool checkDisk(const fs::path& dataFolder)
{
    bool allFit = true;
    for (const ShippedTrack& track : shippedTracks())
        allFit &= track.check(dataFolder / "music" / track.entry.fileName);
    return allFit;
}

int usage()
{
    std::fprintf(stderr, "usage: make-music DATA_FOLDER\n       make-music --check DATA_FOLDER\n");
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    try {
        if (argc == 2 && std::string_view(argv[1]) != "--check") {
            writeDisk(argv[1]);
            return 0;
        }
        if (argc == 3 && std::string_view(argv[1]) == "--check")
            return checkDisk(argv[2]) ? 0 : 1;
        return usage();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "make-music: %s\n", error.what());
        return 1;
    }
}
