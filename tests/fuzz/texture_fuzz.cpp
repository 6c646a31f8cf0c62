// Texture files as any bytes, loaded on the software device: a bad file fails
// with no texture and leaves no device object behind.
#include "platform/d3dx9.h"
#include "platform/soft_device.h"
#include "tests/fuzz/scratch_file.h"
#include "tests/fuzz/soft_device.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static fuzz::ScratchFile file(".png");
    IDirect3DDevice9* device = fuzz::softDevice();
    const unsigned liveBefore = softgfx::liveObjects();
    const auto& path = file.write(data, size);

    IDirect3DTexture9* texture = nullptr;
    const HRESULT result = D3DXCreateTextureFromFileW(device, path.wstring().c_str(), &texture);
    if (SUCCEEDED(result) != (texture != nullptr)) std::abort();
    if (texture) texture->Release();
    fuzz::expectNoLeak(liveBefore);
    return 0;
}
