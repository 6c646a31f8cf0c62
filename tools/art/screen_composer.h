#pragma once
// Draws textured, tinted quads over a frame the way the program's renderer does:
// farthest depth first, equal depths in submission order, alpha blended.
#include <vector>

#include "tools/art/canvas.h"
#include "tools/art/mip_texture.h"
#include "tools/art/regions.h"

namespace art {

struct PreviewQuad {
    const MipTexture* texture;
    TexRect tex;
    float x, y, w, h;  // drawing coordinates, lower-left corner, heights final
    Rgba tint;
    float depth;
};

class ScreenComposer {
public:
    void add(const PreviewQuad& quad) { quads_.push_back(quad); }
    Canvas compose(int width, int height) const;

private:
    std::vector<PreviewQuad> quads_;
};

}  // namespace art
