// Opening the files that channels play: only regular files, so that a folder or
// a device named in the configuration fails the load instead of blocking it.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

namespace audio {

// An open read-only descriptor of a regular file; closed with the object.
class RegularFile {
public:
    static std::optional<RegularFile> open(const std::filesystem::path& path);
    RegularFile(RegularFile&& other) noexcept;
    RegularFile& operator=(RegularFile&&) = delete;
    ~RegularFile();

    // Hands the descriptor over to a new owner, who closes it.
    int release();
    // The whole content, or nothing when it cannot be read.
    std::optional<std::vector<std::uint8_t>> readAll();

private:
    explicit RegularFile(int descriptor);
    int descriptor_;
};

}  // namespace audio
