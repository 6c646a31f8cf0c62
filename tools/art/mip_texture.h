#pragma once
// A texture as the program's renderer treats it: a full mipmap chain, sampled with
// trilinear filtering, so the preview shows what minified pictures and glyphs will
// look like on screen.
#include <vector>

#include "tools/art/canvas.h"

namespace art {

class MipTexture {
public:
    explicit MipTexture(const Canvas& base);

    // u, v in texture coordinates; texelsPerPixel is the footprint of one screen pixel
    // in base-level texels. Returns straight colour.
    Rgba sample(float u, float v, float texelsPerPixel) const;

private:
    // Premultiplied levels, so that averaging does not darken transparent rims.
    std::vector<Canvas> levels_;
    Rgba bilinear(const Canvas& level, float u, float v) const;
};

}  // namespace art
