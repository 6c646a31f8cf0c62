#pragma once
// The atlas is shared by every screen, so its layout must hold together: each
// rectangle inside the texture, and no picture reaching into another's.
#include <span>
#include <string>
#include <vector>

#include "tools/art/regions.h"

namespace art {

// One line per fault; empty when the layout is sound.
std::vector<std::string> checkRegions(std::span<const ScreenQuad> quads);

// The texels whose centres lie inside a rectangle, as [x0, x1) x [y0, y1).
struct PixelBounds {
    int x0, y0, x1, y1;
};
PixelBounds pixelBounds(const TexRect& rect, int textureSize);

}  // namespace art
