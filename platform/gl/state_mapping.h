// Direct3D 9 render and sampler state values as their OpenGL equivalents.
#pragma once

#include "platform/d3d9.h"
#include "platform/gl/gl_api.h"

#include <optional>

namespace glgfx {

std::optional<GLenum> blendFactor(DWORD d3dBlend);
std::optional<GLenum> compareFunction(DWORD d3dCompare);
std::optional<GLenum> addressMode(DWORD d3dAddress);
GLenum magnificationFilter(DWORD d3dFilter);
// The minification filter combines the texel filter with the filter between mip levels.
GLenum minificationFilter(DWORD d3dMinFilter, DWORD d3dMipFilter);

// Direct3D names the winding to cull as it looks on the screen; so does OpenGL
// (window y up, counter-clockwise faces in front), so D3DCULL_CCW culls GL's
// front faces and D3DCULL_CW its back faces. Nothing for D3DCULL_NONE.
std::optional<GLenum> culledFace(DWORD d3dCull);

}  // namespace glgfx
