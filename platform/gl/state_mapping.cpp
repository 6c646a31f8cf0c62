#include "platform/gl/state_mapping.h"

namespace glgfx {

std::optional<GLenum> blendFactor(DWORD d3dBlend) {
    switch (d3dBlend) {
        case D3DBLEND_ZERO: return GL_ZERO;
        case D3DBLEND_ONE: return GL_ONE;
        case D3DBLEND_SRCCOLOR: return GL_SRC_COLOR;
        case D3DBLEND_INVSRCCOLOR: return GL_ONE_MINUS_SRC_COLOR;
        case D3DBLEND_SRCALPHA: return GL_SRC_ALPHA;
        case D3DBLEND_INVSRCALPHA: return GL_ONE_MINUS_SRC_ALPHA;
        default: return std::nullopt;
    }
}

std::optional<GLenum> compareFunction(DWORD d3dCompare) {
    switch (d3dCompare) {
        case D3DCMP_NEVER: return GL_NEVER;
        case D3DCMP_LESS: return GL_LESS;
        case D3DCMP_EQUAL: return GL_EQUAL;
        case D3DCMP_LESSEQUAL: return GL_LEQUAL;
        case D3DCMP_ALWAYS: return GL_ALWAYS;
        default: return std::nullopt;
    }
}

std::optional<GLenum> addressMode(DWORD d3dAddress) {
    switch (d3dAddress) {
        case D3DTADDRESS_WRAP: return GL_REPEAT;
        case D3DTADDRESS_CLAMP: return GL_CLAMP_TO_EDGE;
        default: return std::nullopt;
    }
}

GLenum magnificationFilter(DWORD d3dFilter) { return d3dFilter == D3DTEXF_LINEAR ? GL_LINEAR : GL_NEAREST; }

GLenum minificationFilter(DWORD d3dMinFilter, DWORD d3dMipFilter) {
    const bool linear = d3dMinFilter == D3DTEXF_LINEAR;
    switch (d3dMipFilter) {
        case D3DTEXF_LINEAR: return linear ? GL_LINEAR_MIPMAP_LINEAR : GL_NEAREST_MIPMAP_LINEAR;
        case D3DTEXF_POINT: return linear ? GL_LINEAR_MIPMAP_NEAREST : GL_NEAREST_MIPMAP_NEAREST;
        default: return linear ? GL_LINEAR : GL_NEAREST;
    }
}

std::optional<GLenum> culledFace(DWORD d3dCull) {
    switch (d3dCull) {
        case D3DCULL_CW: return GL_BACK;
        case D3DCULL_CCW: return GL_FRONT;
        default: return std::nullopt;
    }
}

}  // namespace glgfx
