// Texture sampling with the rules of README.md: texel centres at half
// integers, GL_LINEAR_MIPMAP_LINEAR semantics for trilinear filtering, clamp to
// edge or wrap addressing.
#pragma once

#include "platform/soft/resources.h"

#include <vector>

namespace softgfx::detail {

struct SamplerState {
    DWORD addressU = D3DTADDRESS_WRAP;
    DWORD addressV = D3DTADDRESS_WRAP;
    DWORD magFilter = D3DTEXF_POINT;
    DWORD minFilter = D3DTEXF_POINT;
    DWORD mipFilter = D3DTEXF_NONE;
};

struct Color {
    float r, g, b, a;
};

// The level of detail: log2 of the larger screen-space footprint of one pixel,
// measured in texels of level 0. Derivatives are of u and v per pixel.
float levelOfDetail(const TextureLevel& base, float dudx, float dvdx, float dudy, float dvdy);

// The filtered texel at (u, v) for the given level of detail.
Color sample(const std::vector<TextureLevel>& levels, const SamplerState& sampler, float u, float v, float lod);

}  // namespace softgfx::detail
