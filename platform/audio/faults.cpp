#include "platform/audio/faults.h"

#include <algorithm>

namespace audio {

bool Faults::loadFails(const std::string& path) const
{
    return failAllLoads || std::ranges::any_of(failingPathFragments, [&](const std::string& fragment) {
               return path.find(fragment) != std::string::npos;
           });
}

Faults& faults()
{
    static Faults current;
    return current;
}

}  // namespace audio
