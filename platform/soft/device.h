// The software IDirect3DDevice9: records every call, keeps the state that
// drawing needs and rasterizes indexed triangle lists while asked to.
#pragma once

#include "platform/soft/rasterizer.h"
#include "platform/soft/resources.h"

#include <array>
#include <vector>

namespace softgfx::detail {

class SoftDevice final : public RefCounted<IDirect3DDevice9> {
public:
    explicit SoftDevice(const D3DPRESENT_PARAMETERS& parameters);

    HRESULT TestCooperativeLevel() override;
    HRESULT Reset(D3DPRESENT_PARAMETERS* parameters) override;
    HRESULT BeginScene() override;
    HRESULT EndScene() override;
    HRESULT Clear(DWORD rectCount, const D3DRECT* rects, DWORD flags, D3DCOLOR color, float z,
                  DWORD stencil) override;
    HRESULT Present(const RECT* sourceRect, const RECT* destRect, HWND destWindow, const void* dirtyRegion) override;

    HRESULT CreateVertexDeclaration(const D3DVERTEXELEMENT9* elements,
                                    IDirect3DVertexDeclaration9** declaration) override;
    HRESULT CreateVertexBuffer(UINT length, DWORD usage, DWORD fvf, D3DPOOL pool, IDirect3DVertexBuffer9** buffer,
                               void* sharedHandle) override;
    HRESULT CreateIndexBuffer(UINT length, DWORD usage, D3DFORMAT format, D3DPOOL pool,
                              IDirect3DIndexBuffer9** buffer, void* sharedHandle) override;
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

    void forget(const void* object);

protected:
    ~SoftDevice() override;

private:
    static constexpr DWORD stages = 8;

    void applyPresentation(const D3DPRESENT_PARAMETERS& parameters);
    void restoreDefaultState();
    void clearTarget(const D3DRECT& rect, DWORD flags, D3DCOLOR color, float z);
    bool indicesInRange(UINT startIndex, UINT primitiveCount) const;
    void rasterize(INT baseVertexIndex, UINT startIndex, UINT primitiveCount);
    RasterState rasterState() const;
    bool fetchVertex(std::int64_t index, RasterVertex& vertex) const;

    std::vector<float> depth_;
    bool inScene_ = false;
    bool rasterizingScene_ = false;

    RasterState renderState_;
    std::array<SamplerState, stages> samplers_{};
    std::array<IDirect3DBaseTexture9*, stages> textures_{};
    SoftVertexDeclaration* declaration_ = nullptr;
    SoftVertexBuffer* streamBuffer_ = nullptr;
    UINT streamOffset_ = 0;
    UINT streamStride_ = 0;
    SoftIndexBuffer* indices_ = nullptr;
    IDirect3DShaderProgram* program_ = nullptr;
};

}  // namespace softgfx::detail
