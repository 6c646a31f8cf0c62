#include "soft_fixture.h"

#include <cstring>

namespace softtest {

void SoftDevice::SetUp() {
    softgfx::reset();
    direct3D = Direct3DCreate9(D3D_SDK_VERSION);
    ASSERT_NE(direct3D, nullptr);
    D3DPRESENT_PARAMETERS parameters = windowParameters();
    ASSERT_EQ(direct3D->CreateDevice(0, D3DDEVTYPE_HAL, nullptr, D3DCREATE_SOFTWARE_VERTEXPROCESSING, &parameters,
                                     &device),
              D3D_OK);
    const D3DVERTEXELEMENT9 elements[] = {
        {0, 0, D3DDECLTYPE_FLOAT3, D3DDECLMETHOD_DEFAULT, D3DDECLUSAGE_POSITION, 0},
        {0, 12, D3DDECLTYPE_FLOAT2, D3DDECLMETHOD_DEFAULT, D3DDECLUSAGE_TEXCOORD, 0},
        {0, 20, D3DDECLTYPE_FLOAT4, D3DDECLMETHOD_DEFAULT, D3DDECLUSAGE_COLOR, 0},
        D3DDECL_END(),
    };
    ASSERT_EQ(device->CreateVertexDeclaration(elements, &declaration), D3D_OK);
}

void SoftDevice::TearDown() {
    for (IDirect3DTexture9* texture : textures) texture->Release();
    for (IUnknown* object : std::initializer_list<IUnknown*>{vertices, indices, declaration, device, direct3D}) {
        if (object) object->Release();
    }
    EXPECT_EQ(softgfx::liveObjects(), 0u) << "a test leaked device objects";
}

D3DPRESENT_PARAMETERS SoftDevice::windowParameters() {
    D3DPRESENT_PARAMETERS parameters{};
    parameters.BackBufferFormat = D3DFMT_X8R8G8B8;
    parameters.BackBufferCount = 1;
    parameters.SwapEffect = D3DSWAPEFFECT_DISCARD;
    parameters.Windowed = TRUE;
    parameters.EnableAutoDepthStencil = TRUE;
    parameters.AutoDepthStencilFormat = D3DFMT_D24X8;
    return parameters;
}

void SoftDevice::bindQuads(const std::vector<Quad>& quads) {
    std::vector<Vertex> corners;
    std::vector<std::uint16_t> order;
    for (const Quad& q : quads) {
        const auto first = static_cast<std::uint16_t>(corners.size());
        corners.push_back({q.left, q.bottom, 0.5f, q.texLeft, q.texBottom, q.r, q.g, q.b, q.a});
        corners.push_back({q.left, q.top, 0.5f, q.texLeft, q.texTop, q.r, q.g, q.b, q.a});
        corners.push_back({q.right, q.top, 0.5f, q.texRight, q.texTop, q.r, q.g, q.b, q.a});
        corners.push_back({q.right, q.bottom, 0.5f, q.texRight, q.texBottom, q.r, q.g, q.b, q.a});
        for (int corner : {0, 1, 2, 0, 2, 3}) order.push_back(static_cast<std::uint16_t>(first + corner));
    }
    const auto vertexBytes = static_cast<UINT>(corners.size() * sizeof(Vertex));
    const auto indexBytes = static_cast<UINT>(order.size() * sizeof(std::uint16_t));
    ASSERT_EQ(device->CreateVertexBuffer(vertexBytes, D3DUSAGE_DYNAMIC | D3DUSAGE_WRITEONLY, 0, D3DPOOL_DEFAULT,
                                         &vertices, nullptr),
              D3D_OK);
    ASSERT_EQ(device->CreateIndexBuffer(indexBytes, D3DUSAGE_WRITEONLY, D3DFMT_INDEX16, D3DPOOL_DEFAULT, &indices,
                                        nullptr),
              D3D_OK);
    void* data = nullptr;
    ASSERT_EQ(vertices->Lock(0, 0, &data, D3DLOCK_DISCARD), D3D_OK);
    std::memcpy(data, corners.data(), vertexBytes);
    vertices->Unlock();
    ASSERT_EQ(indices->Lock(0, 0, &data, 0), D3D_OK);
    std::memcpy(data, order.data(), indexBytes);
    indices->Unlock();
    device->SetVertexDeclaration(declaration);
    device->SetStreamSource(0, vertices, 0, sizeof(Vertex));
    device->SetIndices(indices);
}

void SoftDevice::setGuiStates() {
    device->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
    device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
    device->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
    device->SetRenderState(D3DRS_ZENABLE, FALSE);
    device->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
    for (auto filter : {D3DSAMP_MINFILTER, D3DSAMP_MAGFILTER, D3DSAMP_MIPFILTER}) {
        device->SetSamplerState(0, filter, D3DTEXF_LINEAR);
    }
    device->SetSamplerState(0, D3DSAMP_ADDRESSU, D3DTADDRESS_CLAMP);
    device->SetSamplerState(0, D3DSAMP_ADDRESSV, D3DTADDRESS_CLAMP);
}

IDirect3DTexture9* SoftDevice::makeTexture(UINT width, UINT height, UINT levels,
                                           const std::vector<D3DCOLOR>& colourOfLevel) {
    IDirect3DTexture9* texture = nullptr;
    EXPECT_EQ(device->CreateTexture(width, height, levels, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &texture, nullptr),
              D3D_OK);
    if (!texture) return nullptr;
    textures.push_back(texture);
    for (DWORD level = 0; level < texture->GetLevelCount() && level < colourOfLevel.size(); ++level) {
        D3DSURFACE_DESC desc{};
        texture->GetLevelDesc(level, &desc);
        D3DLOCKED_RECT locked{};
        EXPECT_EQ(texture->LockRect(level, &locked, nullptr, 0), D3D_OK);
        for (UINT y = 0; y < desc.Height; ++y) {
            auto* row = reinterpret_cast<D3DCOLOR*>(static_cast<std::uint8_t*>(locked.pBits) + y * locked.Pitch);
            std::fill(row, row + desc.Width, colourOfLevel[level]);
        }
        texture->UnlockRect(level);
    }
    return texture;
}

IDirect3DTexture9* SoftDevice::makeTexture(UINT width, UINT height, const std::vector<D3DCOLOR>& texels) {
    IDirect3DTexture9* texture = makeTexture(width, height, 1, {});
    D3DLOCKED_RECT locked{};
    EXPECT_EQ(texture->LockRect(0, &locked, nullptr, 0), D3D_OK);
    for (UINT y = 0; y < height; ++y) {
        std::memcpy(static_cast<std::uint8_t*>(locked.pBits) + y * locked.Pitch, texels.data() + y * width, width * 4);
    }
    texture->UnlockRect(0);
    return texture;
}

}  // namespace softtest
