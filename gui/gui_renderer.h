// The only drawing path of the program: the frame's textured, tinted quads are
// collected, sorted by depth and drawn in one pass, one draw call per run of
// quads that share a texture.
#pragma once

#include "gui/depth_order.h"
#include "platform/d3d9.h"
#include "platform/d3dx9.h"

#include <cstdint>
#include <vector>

// One submitted quad. The texture is borrowed: its owner keeps it alive until
// the frame has been drawn.
struct GuiQuad {
    float r, g, b, a;
    float texLeft, texTop, texRight, texBottom;
    float x, y, w, h;
    IDirect3DTexture9* texture;
    float depth;
};

struct GuiVertex {
    float x, y, z;
    float u, v;
    float r, g, b, a;
};
static_assert(sizeof(GuiVertex) == 36, "the vertex declaration describes a 36-byte vertex");

// One draw call: the quads from firstQuad up to the next batch's firstQuad. The
// last batch of a frame only marks the end.
struct GuiBatch {
    std::int32_t firstQuad;
    IDirect3DTexture9* texture;
};

class GuiRenderer {
public:
    GuiRenderer();
    ~GuiRenderer();
    GuiRenderer(const GuiRenderer&) = delete;
    GuiRenderer& operator=(const GuiRenderer&) = delete;

    void submit(const GuiQuad& quad);
    // Draws the quads submitted since the last draw and empties the list.
    void draw();
    // Drops what a device reset needs gone; called as soon as the device is found lost.
    void onDeviceLost();
    // Re-creates the device objects after the device has been reset.
    void onDeviceReset();

private:
    void createDeviceObjects();
    void releaseDeviceObjects();
    void releaseBuffers();
    bool build();
    bool ensureCapacity(std::int32_t quadCount);
    bool createIndexBuffer(std::int32_t quadCount);
    bool writeVertices();
    void render();
    void drawBatches();

    std::int32_t vertexCapacity = 0;
    std::int32_t vertexStride = sizeof(GuiVertex);
    IDirect3DVertexBuffer9* vertexBuffer = nullptr;
    IDirect3DIndexBuffer9* indexBuffer = nullptr;
    IDirect3DVertexDeclaration9* vertexDeclaration = nullptr;
    D3DPRIMITIVETYPE primitiveType = D3DPT_TRIANGLELIST;
    std::vector<GuiQuad> quads;
    ID3DXEffect* effect = nullptr;
    D3DXHANDLE technique = nullptr;
    std::vector<GuiBatch> batches;
    DepthOrder drawingOrder;
};

// Submits a quad at the default depth 1.0, the farthest.
void drawQuad(IDirect3DTexture9* texture, float x, float y, float w, float h, float texLeft, float texTop,
              float texRight, float texBottom, float r, float g, float b, float a);
void drawQuadDepth(IDirect3DTexture9* texture, float x, float y, float w, float h, float texLeft, float texTop,
                   float texRight, float texBottom, float r, float g, float b, float a, float depth);
