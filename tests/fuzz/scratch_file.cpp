#include "tests/fuzz/scratch_file.h"

#include <fstream>
#include <stdexcept>
#include <unistd.h>

namespace fuzz {

ScratchFile::ScratchFile(const std::string& suffix)
    : path_(std::filesystem::temp_directory_path() / ("velmora-fuzz-" + std::to_string(::getpid()) + suffix)) {}

ScratchFile::~ScratchFile() {
    std::error_code ignored;
    std::filesystem::remove(path_, ignored);
}

const std::filesystem::path& ScratchFile::write(const std::uint8_t* data, std::size_t size) {
    std::ofstream out(path_, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    // A short write would fuzz a different input than the one libFuzzer saves.
    if (!out.flush()) throw std::runtime_error("cannot write the fuzz input to " + path_.string());
    return path_;
}

}  // namespace fuzz
