// The picture a GL device has drawn, for tests that compare it with the
// software device's: the back buffer before Present, R, G, B, A bytes, rows top
// to bottom, the client area only.
#pragma once

#include "platform/d3d9.h"

#include <cstdint>
#include <vector>

namespace glgfx {

// Empty when device is not a device of this backend.
std::vector<std::uint8_t> readBackBuffer(IDirect3DDevice9* device, int& width, int& height);

}  // namespace glgfx
