#pragma once
// Paints one atlas rectangle from a shader written in the picture's on-screen pixels,
// so detail is designed at the size and aspect ratio at which the screen shows it.
#include <functional>

#include "tools/art/canvas.h"
#include "tools/art/regions.h"

namespace art {

// The picture as it appears on screen: width and height in window pixels.
struct Surface {
    float width, height;
};

// p runs over [0, width] x [0, height], y down.
using Shader = std::function<Rgba(Vec2 p, Surface s)>;

Surface onScreenSize(const ScreenQuad& quad);

// Supersamples every texel whose centre lies in the rectangle.
void paintRegion(Canvas& atlas, const TexRect& rect, Surface surface, const Shader& shader);

}  // namespace art
