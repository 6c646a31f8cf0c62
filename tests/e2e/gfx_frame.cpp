// Draws one test frame through the Direct3D 9-shaped device and writes it as a
// PNG: textured quads magnified and minified (trilinear), tinted, and
// alpha-blended over each other. Built once per backend; the two pictures
// must agree.
#include "platform/d3d9.h"
#include "platform/win32.h"
#include "tests/e2e/frame_capture.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

const char* const vertexProgram = R"(#version 330 core
layout(location = 0) in vec3 position;
layout(location = 1) in vec2 texcoord;
layout(location = 2) in vec4 color;
out vec2 uv;
out vec4 tint;
void main() {
    gl_Position = vec4(position, 1.0);
    uv = texcoord;
    tint = color;
}
)";

const char* const pixelProgram = R"(#version 330 core
uniform sampler2D texture_0;
in vec2 uv;
in vec4 tint;
out vec4 fragment;
void main() { fragment = texture(texture_0, uv) * tint; }
)";

struct Vertex {
    float x, y, z, u, v, r, g, b, a;
};

struct Quad {
    float x, y, w, h;
    float u0, v0, u1, v1;
    float r, g, b, a;
    bool textured;
};

// Seen small and large: rings and a diagonal ramp, with alpha falling off to the edge.
constexpr UINT textureSide = 64;

std::array<std::uint8_t, 4> texelAt(UINT x, UINT y) {
    const int dx = static_cast<int>(x) - 32, dy = static_cast<int>(y) - 32;
    const int ring = ((dx * dx + dy * dy) / 40) % 2;
    const auto ramp = static_cast<std::uint8_t>((x + y) * 2);
    const auto alpha = static_cast<std::uint8_t>(dx * dx + dy * dy < 30 * 30 ? 255 : 96);
    // B, G, R, A, as A8R8G8B8 lies in memory.
    return {ramp, static_cast<std::uint8_t>(ring ? 230 : 40), static_cast<std::uint8_t>(255 - ramp), alpha};
}

// Each level is the 2 x 2 box average of the one above, in premultiplied alpha.
std::vector<std::uint8_t> downsample(const std::vector<std::uint8_t>& level, UINT side) {
    const UINT half = side / 2;
    std::vector<std::uint8_t> smaller(std::size_t{half} * half * 4);
    for (UINT y = 0; y < half; ++y)
        for (UINT x = 0; x < half; ++x) {
            float sum[4] = {};
            for (UINT s = 0; s < 4; ++s) {
                const std::uint8_t* t = &level[((2 * y + s / 2) * side + 2 * x + s % 2) * 4];
                const float alpha = t[3] / 255.0f;
                for (int c = 0; c < 3; ++c) sum[c] += t[c] * alpha;
                sum[3] += alpha;
            }
            std::uint8_t* out = &smaller[(y * half + x) * 4];
            for (int c = 0; c < 3; ++c) out[c] = static_cast<std::uint8_t>(sum[3] > 0 ? sum[c] / sum[3] + 0.5f : 0);
            out[3] = static_cast<std::uint8_t>(sum[3] / 4 * 255 + 0.5f);
        }
    return smaller;
}

IDirect3DTexture9* createTestTexture(IDirect3DDevice9* device) {
    IDirect3DTexture9* texture = nullptr;
    if (FAILED(device->CreateTexture(textureSide, textureSide, 0, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &texture,
                                     nullptr)))
        return nullptr;
    std::vector<std::uint8_t> level(std::size_t{textureSide} * textureSide * 4);
    for (UINT y = 0; y < textureSide; ++y)
        for (UINT x = 0; x < textureSide; ++x) {
            const auto texel = texelAt(x, y);
            std::copy(texel.begin(), texel.end(), level.begin() + (y * textureSide + x) * 4);
        }
    UINT side = textureSide;
    for (DWORD i = 0; i < texture->GetLevelCount(); ++i, side /= 2) {
        D3DLOCKED_RECT locked;
        if (FAILED(texture->LockRect(i, &locked, nullptr, 0))) return texture;
        for (UINT row = 0; row < side; ++row)
            std::copy_n(level.begin() + row * side * 4, side * 4, static_cast<std::uint8_t*>(locked.pBits) + row * locked.Pitch);
        texture->UnlockRect(i);
        if (side > 1) level = downsample(level, side);
    }
    return texture;
}

const Quad quads[] = {
    // magnified, upright, untinted
    {-0.95f, -0.9f, 0.7f, 1.8f, 0.0f, 0.0f, 1.0f, 1.0f, 1, 1, 1, 1, true},
    // minified to about a fifth and a third, between levels
    {-0.2f, 0.3f, 0.06f, 0.15f, 0.0f, 0.0f, 1.0f, 1.0f, 1, 1, 1, 1, true},
    {-0.1f, 0.3f, 0.1f, 0.25f, 0.0f, 0.0f, 1.0f, 1.0f, 1, 1, 1, 1, true},
    // a tinted, half transparent cut of the texture over the first quad
    {-0.6f, -0.5f, 0.9f, 0.9f, 0.25f, 0.25f, 0.75f, 0.75f, 1.0f, 0.6f, 0.2f, 0.5f, true},
    // flipped, tinted blue, faded
    {0.4f, -0.8f, 0.5f, 1.4f, 1.0f, 1.0f, 0.0f, 0.0f, 0.3f, 0.5f, 1.0f, 0.7f, true},
    // without a texture: black, half transparent
    {0.2f, -0.2f, 0.6f, 0.3f, 0.0f, 0.0f, 1.0f, 1.0f, 1, 1, 1, 0.5f, false},
};

void appendQuad(std::vector<Vertex>& vertices, const Quad& q) {
    vertices.push_back({q.x, q.y, 0.5f, q.u0, q.v1, q.r, q.g, q.b, q.a});
    vertices.push_back({q.x, q.y + q.h, 0.5f, q.u0, q.v0, q.r, q.g, q.b, q.a});
    vertices.push_back({q.x + q.w, q.y + q.h, 0.5f, q.u1, q.v0, q.r, q.g, q.b, q.a});
    vertices.push_back({q.x + q.w, q.y, 0.5f, q.u1, q.v1, q.r, q.g, q.b, q.a});
}

bool fill(IDirect3DVertexBuffer9* buffer, const void* data, std::size_t size) {
    void* target = nullptr;
    if (FAILED(buffer->Lock(0, 0, &target, D3DLOCK_DISCARD))) return false;
    std::memcpy(target, data, size);
    return SUCCEEDED(buffer->Unlock());
}

bool fill(IDirect3DIndexBuffer9* buffer, const void* data, std::size_t size) {
    void* target = nullptr;
    if (FAILED(buffer->Lock(0, 0, &target, 0))) return false;
    std::memcpy(target, data, size);
    return SUCCEEDED(buffer->Unlock());
}

void setEffectStates(IDirect3DDevice9* device) {
    device->SetRenderState(D3DRS_ZENABLE, FALSE);
    device->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
    device->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
    device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
    device->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
    device->SetSamplerState(0, D3DSAMP_ADDRESSU, D3DTADDRESS_CLAMP);
    device->SetSamplerState(0, D3DSAMP_ADDRESSV, D3DTADDRESS_CLAMP);
    device->SetSamplerState(0, D3DSAMP_MAGFILTER, D3DTEXF_LINEAR);
    device->SetSamplerState(0, D3DSAMP_MINFILTER, D3DTEXF_LINEAR);
    device->SetSamplerState(0, D3DSAMP_MIPFILTER, D3DTEXF_LINEAR);
}

int fail(const char* what) {
    std::fprintf(stderr, "gfx-frame: %s\n", what);
    return 1;
}

LRESULT procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) return fail("usage: gfx-frame OUT.png");
    WNDCLASSEXW wc{sizeof(WNDCLASSEXW), CS_CLASSDC, procedure, 0, 0, GetModuleHandleW(nullptr), nullptr, nullptr,
                   nullptr, nullptr, L"gfxframe", nullptr};
    if (!RegisterClassExW(&wc)) return fail("no window class");
    HWND window = CreateWindowExW(0, L"gfxframe", L"gfx-frame", WS_POPUPWINDOW, 10, 100, 820, 320, nullptr, nullptr,
                                  wc.hInstance, nullptr);
    if (!window) return fail("no window");
    IDirect3D9* direct3D = Direct3DCreate9(D3D_SDK_VERSION);
    if (!direct3D) return fail("no Direct3D object");
    D3DPRESENT_PARAMETERS parameters{};
    parameters.BackBufferFormat = D3DFMT_X8R8G8B8;
    parameters.BackBufferCount = 1;
    parameters.SwapEffect = D3DSWAPEFFECT_DISCARD;
    parameters.Windowed = TRUE;
    parameters.EnableAutoDepthStencil = TRUE;
    parameters.AutoDepthStencilFormat = D3DFMT_D24X8;
    IDirect3DDevice9* device = nullptr;
    if (FAILED(direct3D->CreateDevice(0, D3DDEVTYPE_HAL, window, D3DCREATE_SOFTWARE_VERTEXPROCESSING, &parameters,
                                      &device)))
        return fail("no device");
    ShowWindow(window, SW_SHOWNORMAL);

    const D3DVERTEXELEMENT9 elements[] = {{0, 0, D3DDECLTYPE_FLOAT3, D3DDECLMETHOD_DEFAULT, D3DDECLUSAGE_POSITION, 0},
                                          {0, 12, D3DDECLTYPE_FLOAT2, D3DDECLMETHOD_DEFAULT, D3DDECLUSAGE_TEXCOORD, 0},
                                          {0, 20, D3DDECLTYPE_FLOAT4, D3DDECLMETHOD_DEFAULT, D3DDECLUSAGE_COLOR, 0},
                                          D3DDECL_END()};
    IDirect3DVertexDeclaration9* declaration = nullptr;
    IDirect3DShaderProgram* program = nullptr;
    char log[1024] = "";
    if (FAILED(device->CreateVertexDeclaration(elements, &declaration))) return fail("no vertex declaration");
    if (FAILED(device->CreateShaderProgram(vertexProgram, pixelProgram, &program, log, sizeof log))) return fail(log);
    IDirect3DTexture9* texture = createTestTexture(device);
    if (!texture) return fail("no texture");

    std::vector<Vertex> vertices;
    std::vector<std::uint16_t> indices;
    for (const Quad& quad : quads) {
        const auto k = static_cast<std::uint16_t>(vertices.size());
        appendQuad(vertices, quad);
        indices.insert(indices.end(), {k, std::uint16_t(k + 1), std::uint16_t(k + 2), k, std::uint16_t(k + 2),
                                       std::uint16_t(k + 3)});
    }
    IDirect3DVertexBuffer9* vertexBuffer = nullptr;
    IDirect3DIndexBuffer9* indexBuffer = nullptr;
    const auto vertexBytes = static_cast<UINT>(vertices.size() * sizeof(Vertex));
    const auto indexBytes = static_cast<UINT>(indices.size() * sizeof(std::uint16_t));
    if (FAILED(device->CreateVertexBuffer(vertexBytes, D3DUSAGE_DYNAMIC | D3DUSAGE_WRITEONLY, 0, D3DPOOL_DEFAULT,
                                          &vertexBuffer, nullptr)) ||
        FAILED(device->CreateIndexBuffer(indexBytes, D3DUSAGE_WRITEONLY, D3DFMT_INDEX16, D3DPOOL_DEFAULT, &indexBuffer,
                                         nullptr)))
        return fail("no buffers");
    if (!fill(vertexBuffer, vertices.data(), vertexBytes) || !fill(indexBuffer, indices.data(), indexBytes))
        return fail("buffers cannot be written");

    device->BeginScene();
    device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, D3DCOLOR_ARGB(0, 20, 30, 60), 1.0f, 0);
    setEffectStates(device);
    device->SetVertexDeclaration(declaration);
    device->SetStreamSource(0, vertexBuffer, 0, sizeof(Vertex));
    device->SetIndices(indexBuffer);
    device->SetShaderProgram(program);
    for (UINT q = 0; q < std::size(quads); ++q) {
        device->SetTexture(0, quads[q].textured ? texture : nullptr);
        if (FAILED(device->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 0, 0, static_cast<UINT>(vertices.size()), q * 6, 2)))
            return fail("a draw call failed");
    }
    device->EndScene();
    const bool saved = saveFrame(device, argv[1]);
    device->Present(nullptr, nullptr, nullptr, nullptr);

    for (IUnknown* object : std::initializer_list<IUnknown*>{vertexBuffer, indexBuffer, texture, program, declaration,
                                                             device, direct3D})
        object->Release();
    UnregisterClassW(L"gfxframe", wc.hInstance);
    return saved ? 0 : fail("the frame cannot be written");
}
