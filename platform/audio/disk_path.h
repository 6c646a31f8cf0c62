// Paths as the disk writes them ("data\music\Song.xm", made on Windows) turned
// into paths of this file system.
#pragma once

#include <filesystem>
#include <string_view>

namespace audio {

// A backslash separates folders like a slash. Each component that does not
// exist under its exact name is replaced by an entry of its folder whose name
// differs only in ASCII letter case, so a disk whose files were renamed in
// another case keeps working. Components without any match are kept as given,
// so the result then names a file that does not exist.
std::filesystem::path resolveDiskPath(std::string_view diskPath);

}  // namespace audio
