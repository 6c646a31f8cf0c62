// One fuzz input on disk, for the loaders that read only from a path. Each
// process keeps one file and rewrites it for every input.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

namespace fuzz {

class ScratchFile {
public:
    // The file's name ends with `suffix`, since some readers go by the extension.
    explicit ScratchFile(const std::string& suffix);
    ~ScratchFile();
    ScratchFile(const ScratchFile&) = delete;
    ScratchFile& operator=(const ScratchFile&) = delete;

    const std::filesystem::path& write(const std::uint8_t* data, std::size_t size);
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

}  // namespace fuzz
