#include "tools/soak/resident_memory.h"

#include <fstream>
#include <unistd.h>

std::uint64_t residentBytes() {
    // statm gives the total program size and then the resident set, in pages.
    std::ifstream statm("/proc/self/statm");
    std::uint64_t size = 0;
    std::uint64_t resident = 0;
    if (!(statm >> size >> resident)) return 0;
    return resident * static_cast<std::uint64_t>(sysconf(_SC_PAGESIZE));
}
