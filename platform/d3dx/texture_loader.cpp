// D3DXCreateTextureFromFileW: a PNG into a managed-pool A8R8G8B8 texture with
// its full mipmap chain.
#include "platform/d3dx/file_path.h"
#include "platform/d3dx/last_error.h"
#include "platform/d3dx/mipmap.h"
#include "platform/d3dx/png_decoder.h"
#include "platform/d3dx9.h"

#include <cstring>

namespace {

// A8R8G8B8 texels are B, G, R, A bytes in memory.
void writeLevel(const d3dx::RgbaImage& image, const D3DLOCKED_RECT& locked) {
    for (unsigned y = 0; y < image.height; ++y) {
        const std::uint8_t* from = image.rgba.data() + std::size_t{y} * image.width * 4;
        auto* to = static_cast<std::uint8_t*>(locked.pBits) + std::size_t{y} * static_cast<std::size_t>(locked.Pitch);
        for (unsigned x = 0; x < image.width; ++x, from += 4, to += 4) {
            const std::uint8_t bgra[4] = {from[2], from[1], from[0], from[3]};
            std::memcpy(to, bgra, 4);
        }
    }
}

HRESULT fillLevels(IDirect3DTexture9* texture, d3dx::RgbaImage image) {
    const DWORD levels = texture->GetLevelCount();
    for (DWORD level = 0; level < levels; ++level) {
        if (level > 0) image = d3dx::halved(image);
        D3DLOCKED_RECT locked{};
        const HRESULT result = texture->LockRect(level, &locked, nullptr, 0);
        if (FAILED(result)) return d3dx::fail(result, "cannot lock level " + std::to_string(level) + " of the texture");
        writeLevel(image, locked);
        texture->UnlockRect(level);
    }
    return D3D_OK;
}

}  // namespace

HRESULT D3DXCreateTextureFromFileW(IDirect3DDevice9* device, LPCWSTR file, IDirect3DTexture9** texture) {
    if (!texture) return d3dx::fail(D3DERR_INVALIDCALL, "no texture to return");
    *texture = nullptr;
    if (!device || !file) return d3dx::fail(D3DERR_INVALIDCALL, "no device or no file name");

    d3dx::RgbaImage image;
    std::string error;
    if (!d3dx::decodePng(d3dx::filePath(file), image, error)) return d3dx::fail(D3DXERR_INVALIDDATA, error);

    IDirect3DTexture9* created = nullptr;
    const HRESULT result =
        device->CreateTexture(image.width, image.height, 0, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &created, nullptr);
    if (FAILED(result)) return d3dx::fail(result, "the device cannot create a " + std::to_string(image.width) + " x " +
                                                      std::to_string(image.height) + " texture");
    if (const HRESULT filled = fillLevels(created, std::move(image)); FAILED(filled)) {
        created->Release();
        return filled;
    }
    *texture = created;
    d3dx::succeed();
    return D3D_OK;
}
