// The reason of the last failed D3DX call on this thread.
#pragma once

#include "platform/d3d9.h"

#include <string>

namespace d3dx {

// Records the reason and returns the result, so that failures read as one statement.
HRESULT fail(HRESULT result, std::string reason);
void succeed();

}  // namespace d3dx
