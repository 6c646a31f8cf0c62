// data/disk.cfg as any bytes: the count, the entries it promises and the scroll
// text must read without a crash, and a count is only accepted when the file
// could hold that many entries.
#include "disk/disk_config.h"

#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    std::int32_t count = 0;
    if (readTrackCount(in, size, count)) return 0;
    if (count <= 0 || static_cast<std::uint64_t>(count) > size) std::abort();
    for (std::int32_t i = 0; i < count; ++i) {
        const TrackEntry entry = readTrackEntry(in);
        musicPath(entry.fileName);
    }
    const std::string scrollText = readScrollText(in);
    if (scrollText.size() > 2 * size) std::abort();
    return 0;
}
