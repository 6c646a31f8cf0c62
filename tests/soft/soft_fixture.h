// A software device of the disk's size, and quads to draw with it.
#pragma once

#include "platform/soft_device.h"

#include <gtest/gtest.h>

#include <vector>

namespace softtest {

// The renderer's vertex: position, texture coordinates, colour; 36 bytes.
struct Vertex {
    float x, y, z;
    float u, v;
    float r, g, b, a;
};

struct Quad {
    float left, bottom, right, top;     // NDC
    float texLeft, texTop, texRight, texBottom;
    float r, g, b, a;
};

class SoftDevice : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Presentation parameters as the window asks for them: the client area's size.
    static D3DPRESENT_PARAMETERS windowParameters();

    // Vertex and index buffers holding the quads (two triangles each, clockwise
    // on the screen), bound with the declaration. Released by TearDown.
    void bindQuads(const std::vector<Quad>& quads);
    // The states of the GUI effect: alpha blending, no depth, no culling, trilinear clamp.
    void setGuiStates();
    // A managed texture whose every level is filled with colourOfLevel(level) (0xAARRGGBB).
    IDirect3DTexture9* makeTexture(UINT width, UINT height, UINT levels,
                                   const std::vector<D3DCOLOR>& colourOfLevel);
    // One texel colour per position of level 0; the other levels are left black.
    IDirect3DTexture9* makeTexture(UINT width, UINT height, const std::vector<D3DCOLOR>& texels);

    IDirect3D9* direct3D = nullptr;
    IDirect3DDevice9* device = nullptr;
    IDirect3DVertexDeclaration9* declaration = nullptr;
    IDirect3DVertexBuffer9* vertices = nullptr;
    IDirect3DIndexBuffer9* indices = nullptr;
    std::vector<IDirect3DTexture9*> textures;
};

// Channels of a 0xAARRGGBB colour.
inline int red(D3DCOLOR c) { return static_cast<int>((c >> 16) & 0xFF); }
inline int green(D3DCOLOR c) { return static_cast<int>((c >> 8) & 0xFF); }
inline int blue(D3DCOLOR c) { return static_cast<int>(c & 0xFF); }

}  // namespace softtest
