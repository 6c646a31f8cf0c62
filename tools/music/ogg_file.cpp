#include "tools/music/ogg_file.h"

#include <sndfile.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace music {
namespace {

constexpr std::uint32_t fixedSerial = 0x56454C4D;   // "VELM"
constexpr std::size_t pageHeaderSize = 27;
constexpr std::size_t serialOffset = 14;
constexpr std::size_t checksumOffset = 22;
constexpr std::size_t segmentCountOffset = 26;

// Ogg's page checksum: CRC-32 with polynomial 0x04C11DB7, unreflected, zero start.
std::uint32_t oggCrc(const std::uint8_t* data, std::size_t size)
{
    static const std::array<std::uint32_t, 256> table = [] {
        std::array<std::uint32_t, 256> entries{};
        for (std::uint32_t i = 0; i < 256; ++i) {
            std::uint32_t value = i << 24;
            for (int bit = 0; bit < 8; ++bit)
                value = (value & 0x80000000u) ? (value << 1) ^ 0x04C11DB7u : value << 1;
            entries[i] = value;
        }
        return entries;
    }();
    std::uint32_t crc = 0;
    for (std::size_t i = 0; i < size; ++i)
        crc = (crc << 8) ^ table[((crc >> 24) ^ data[i]) & 0xFF];
    return crc;
}

void putLe32(std::uint8_t* at, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        at[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

std::vector<std::uint8_t> readAll(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeAll(const std::filesystem::path& file, const std::vector<std::uint8_t>& bytes)
{
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + file.string());
}

} // namespace

void stampOggSerial(std::vector<std::uint8_t>& oggBytes, std::uint32_t serial)
{
    std::size_t page = 0;
    while (page < oggBytes.size()) {
        if (oggBytes.size() - page < pageHeaderSize || std::memcmp(&oggBytes[page], "OggS", 4) != 0)
            throw std::runtime_error("not an Ogg page sequence");
        std::size_t segments = oggBytes[page + segmentCountOffset];
        std::size_t headerSize = pageHeaderSize + segments;
        if (oggBytes.size() - page < headerSize)
            throw std::runtime_error("truncated Ogg page");
        std::size_t bodySize = 0;
        for (std::size_t i = 0; i < segments; ++i)
            bodySize += oggBytes[page + pageHeaderSize + i];
        std::size_t pageSize = headerSize + bodySize;
        if (oggBytes.size() - page < pageSize)
            throw std::runtime_error("truncated Ogg page");
        putLe32(&oggBytes[page + serialOffset], serial);
        putLe32(&oggBytes[page + checksumOffset], 0);
        putLe32(&oggBytes[page + checksumOffset], oggCrc(&oggBytes[page], pageSize));
        page += pageSize;
    }
}

void writeOggVorbis(const std::filesystem::path& file, const std::vector<float>& interleavedStereo, int sampleRate,
                    double quality)
{
    SF_INFO info{};
    info.samplerate = sampleRate;
    info.channels = 2;
    info.format = SF_FORMAT_OGG | SF_FORMAT_VORBIS;
    SNDFILE* sound = sf_open(file.c_str(), SFM_WRITE, &info);
    if (!sound)
        throw std::runtime_error("cannot create " + file.string() + ": " + sf_strerror(nullptr));
    // libsndfile's compression level runs opposite to Vorbis quality.
    double compression = 1.0 - quality;
    sf_command(sound, SFC_SET_COMPRESSION_LEVEL, &compression, sizeof compression);
    // The Vorbis encoder takes its input in blocks; handing it minutes at
    // once overruns libvorbis.
    constexpr sf_count_t blockFrames = 4096;
    sf_count_t frames = static_cast<sf_count_t>(interleavedStereo.size() / 2);
    bool complete = true;
    for (sf_count_t first = 0; first < frames && complete; first += blockFrames) {
        sf_count_t count = std::min(blockFrames, frames - first);
        complete = sf_writef_float(sound, interleavedStereo.data() + 2 * first, count) == count;
    }
    sf_close(sound);
    if (!complete)
        throw std::runtime_error("short write to " + file.string());
    std::vector<std::uint8_t> bytes = readAll(file);
    stampOggSerial(bytes, fixedSerial);
    writeAll(file, bytes);
}

} // namespace music
