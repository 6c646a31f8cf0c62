// Triangle rasterization with the rules of README.md: pixel centres at half
// integers, the top-left fill rule, attributes interpolated linearly in screen
// space (positions carry w = 1), texel times vertex colour, then depth test and
// blending into an 8-bit RGBA target.
#pragma once

#include "platform/soft/sampler.h"

#include <vector>

namespace softgfx::detail {

// A vertex in window pixels: x to the right, y downwards, z the depth 0..1.
struct RasterVertex {
    float x, y, z;
    float u, v;
    Color color;
};

struct RasterState {
    bool depthTest = true;
    bool depthWrite = true;
    DWORD depthFunction = D3DCMP_LESSEQUAL;
    DWORD cullMode = D3DCULL_CCW;
    bool blend = false;
    DWORD sourceBlend = D3DBLEND_ONE;
    DWORD destinationBlend = D3DBLEND_ZERO;
    const std::vector<TextureLevel>* texture = nullptr;  // none samples as opaque black
    SamplerState sampler;
};

struct RenderTarget {
    Image& color;
    std::vector<float>& depth;
};

void rasterizeTriangle(RenderTarget& target, const RasterState& state, RasterVertex a, RasterVertex b,
                       RasterVertex c);

}  // namespace softgfx::detail
