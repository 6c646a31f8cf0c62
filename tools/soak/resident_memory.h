// The soak's own memory, as the system counts it.
#pragma once

#include <cstdint>

// Bytes of this process resident in memory now; 0 where the system does not say.
std::uint64_t residentBytes();
