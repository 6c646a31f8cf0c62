// The mipmap chain of a texture: each level a box-filtered half of the one
// above, down to 1 x 1.
#pragma once

#include "platform/d3dx/png_decoder.h"

namespace d3dx {

// The next level of the chain: max(1, width / 2) x max(1, height / 2). Each
// texel averages the source area it covers (fractional coverage at odd sizes),
// with colours weighted by alpha so that transparent texels, whatever colour
// they hold, do not bleed into the edges of what is drawn.
RgbaImage halved(const RgbaImage& source);

}  // namespace d3dx
