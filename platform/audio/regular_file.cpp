#include "platform/audio/regular_file.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace audio {

std::optional<RegularFile> RegularFile::open(const std::filesystem::path& path)
{
    // Non-blocking so that opening a FIFO cannot hang; the check below then refuses it.
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (descriptor < 0) return std::nullopt;
    RegularFile file(descriptor);
    struct stat status {};
    if (::fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode)) return std::nullopt;
    const int flags = ::fcntl(descriptor, F_GETFL);
    if (flags < 0 || ::fcntl(descriptor, F_SETFL, flags & ~O_NONBLOCK) != 0) return std::nullopt;
    return file;
}

RegularFile::RegularFile(int descriptor) : descriptor_(descriptor) {}

RegularFile::RegularFile(RegularFile&& other) noexcept : descriptor_(other.release()) {}

RegularFile::~RegularFile()
{
    if (descriptor_ >= 0) ::close(descriptor_);
}

int RegularFile::release()
{
    const int descriptor = descriptor_;
    descriptor_ = -1;
    return descriptor;
}

std::optional<std::vector<std::uint8_t>> RegularFile::readAll()
{
    std::vector<std::uint8_t> content;
    std::uint8_t chunk[65536];
    for (;;) {
        const ssize_t count = ::read(descriptor_, chunk, sizeof chunk);
        if (count == 0) return content;
        if (count < 0) {
            if (errno == EINTR) continue;
            return std::nullopt;
        }
        content.insert(content.end(), chunk, chunk + count);
    }
}

}  // namespace audio
