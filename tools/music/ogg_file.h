#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

namespace music {

// Writes interleaved stereo as Ogg Vorbis through libsndfile. libsndfile
// gives each new Ogg stream a serial number taken from the clock, so the
// pages are afterwards stamped with a fixed serial (and their checksums
// recomputed): the same audio then always gives the same file.
void writeOggVorbis(const std::filesystem::path& file, const std::vector<float>& interleavedStereo, int sampleRate,
                    double quality);

// Sets every page's stream serial number and recomputes its checksum.
// Throws if the bytes are not a sequence of Ogg pages.
void stampOggSerial(std::vector<std::uint8_t>& oggBytes, std::uint32_t serial);

} // namespace music
