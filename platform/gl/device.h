// The Direct3D 9-shaped device on OpenGL 3.3 core.
//
// The device draws into the client area of the window: the viewport is inset
// by the one-pixel border, which Present paints around it before each swap.
// Rules shared with the software device: pixel centres at half-integers,
// top-left fill rule, NDC y up, the vertex z used as depth (0 near, 1 far),
// texel centres at half-integers, and trilinear filtering as OpenGL defines it.
#pragma once

#include "platform/d3d9.h"
#include "platform/gl/context.h"
#include "platform/gl/gl_api.h"
#include "platform/gl/ref_counted.h"

#include <cstdint>
#include <vector>

namespace glgfx {

class GlVertexBuffer;
class GlIndexBuffer;
class GlTexture;
class GlVertexDeclaration;
class GlShaderProgram;

struct SamplerSettings {
    DWORD addressU = D3DTADDRESS_WRAP;
    DWORD addressV = D3DTADDRESS_WRAP;
    DWORD magFilter = D3DTEXF_POINT;
    DWORD minFilter = D3DTEXF_POINT;
    DWORD mipFilter = D3DTEXF_NONE;
};

struct BlendSettings {
    DWORD source = D3DBLEND_ONE;
    DWORD destination = D3DBLEND_ZERO;
};

class GlDevice final : public RefCounted<IDirect3DDevice9> {
public:
    GlDevice(SharedContext context, const D3DPRESENT_PARAMETERS& parameters);
    ~GlDevice() override;

    HRESULT TestCooperativeLevel() override;
    HRESULT Reset(D3DPRESENT_PARAMETERS* parameters) override;
    HRESULT BeginScene() override;
    HRESULT EndScene() override;
    HRESULT Clear(DWORD rectCount, const D3DRECT* rects, DWORD flags, D3DCOLOR color, float z, DWORD stencil) override;
    HRESULT Present(const RECT*, const RECT*, HWND, const void*) override;

    HRESULT CreateVertexDeclaration(const D3DVERTEXELEMENT9* elements, IDirect3DVertexDeclaration9** declaration) override;
    HRESULT CreateVertexBuffer(UINT length, DWORD usage, DWORD fvf, D3DPOOL pool, IDirect3DVertexBuffer9** buffer,
                               void* sharedHandle) override;
    HRESULT CreateIndexBuffer(UINT length, DWORD usage, D3DFORMAT format, D3DPOOL pool, IDirect3DIndexBuffer9** buffer,
                              void* sharedHandle) override;
    HRESULT CreateTexture(UINT width, UINT height, UINT levels, DWORD usage, D3DFORMAT format, D3DPOOL pool,
                          IDirect3DTexture9** texture, void* sharedHandle) override;

    HRESULT SetVertexDeclaration(IDirect3DVertexDeclaration9* declaration) override;
    HRESULT SetStreamSource(UINT stream, IDirect3DVertexBuffer9* buffer, UINT offset, UINT stride) override;
    HRESULT SetIndices(IDirect3DIndexBuffer9* buffer) override;
    HRESULT SetTexture(DWORD stage, IDirect3DBaseTexture9* texture) override;
    HRESULT SetRenderState(D3DRENDERSTATETYPE state, DWORD value) override;
    HRESULT SetSamplerState(DWORD sampler, D3DSAMPLERSTATETYPE type, DWORD value) override;

    HRESULT DrawIndexedPrimitive(D3DPRIMITIVETYPE type, INT baseVertexIndex, UINT minVertexIndex, UINT numVertices,
                                 UINT startIndex, UINT primitiveCount) override;

    HRESULT CreateShaderProgram(const char* vertexSource, const char* pixelSource, IDirect3DShaderProgram** program,
                                char* log, UINT logSize) override;
    HRESULT SetShaderProgram(IDirect3DShaderProgram* program) override;

    const Context& context() const { return *context_; }

    // Called by an object of this device as it goes, so that it is no longer bound.
    void forget(const void* object);

    // The back buffer as R, G, B, A bytes, rows top to bottom (before Present shows it).
    std::vector<std::uint8_t> readBackBuffer(int& width, int& height) const;

private:
    void applyPresentation(const D3DPRESENT_PARAMETERS& parameters);
    void restoreDefaultState();
    void applyBlend() const;
    void applySampler() const;
    void bindVertexInput() const;
    void scissorToClient() const;
    void paintBorder() const;
    bool indexRangeFits(UINT startIndex, UINT primitiveCount) const;
    bool vertexRangeFits(INT baseVertexIndex, UINT minVertexIndex, UINT numVertices) const;

    SharedContext context_;
    D3DPRESENT_PARAMETERS parameters_;
    int windowWidth_ = 0;
    int windowHeight_ = 0;
    GLuint vertexArray_ = 0;
    GLuint sampler_ = 0;
    bool inScene_ = false;

    GlVertexDeclaration* declaration_ = nullptr;
    GlVertexBuffer* stream_ = nullptr;
    UINT streamOffset_ = 0;
    UINT streamStride_ = 0;
    GlIndexBuffer* indices_ = nullptr;
    GlTexture* texture_ = nullptr;
    GlShaderProgram* program_ = nullptr;

    bool depthWrite_ = true;
    BlendSettings blend_;
    SamplerSettings sampler0_;
};

}  // namespace glgfx
