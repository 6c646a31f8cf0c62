// Effect files as any bytes, compiled on the software device; an effect that
// loads is driven through one frame and a device reset, the way the renderer
// uses it.
#include "platform/d3dx9.h"
#include "platform/soft_device.h"
#include "tests/fuzz/scratch_file.h"
#include "tests/fuzz/soft_device.h"

#include <cstdint>
#include <cstdlib>

namespace {

void driveOneFrame(ID3DXEffect& effect) {
    if (D3DXHANDLE technique = effect.GetTechniqueByName("GUI")) effect.SetTechnique(technique);
    D3DXHANDLE texture = effect.GetParameterByName(nullptr, "texture_0");
    UINT passes = 0;
    if (FAILED(effect.Begin(&passes, 0))) return;
    for (UINT pass = 0; pass < passes; ++pass) {
        if (FAILED(effect.BeginPass(pass))) continue;
        if (texture) effect.SetTexture(texture, nullptr);
        effect.CommitChanges();
        effect.EndPass();
    }
    effect.End();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static fuzz::ScratchFile file(".fx");
    IDirect3DDevice9* device = fuzz::softDevice();
    const unsigned liveBefore = softgfx::liveObjects();
    const auto& path = file.write(data, size);

    ID3DXEffect* effect = nullptr;
    ID3DXBuffer* errors = nullptr;
    const HRESULT result =
        D3DXCreateEffectFromFileW(device, path.wstring().c_str(), nullptr, nullptr, 0, nullptr, &effect, &errors);
    if (SUCCEEDED(result) != (effect != nullptr)) std::abort();
    if (errors) errors->Release();
    if (effect) {
        driveOneFrame(*effect);
        effect->OnLostDevice();
        effect->OnResetDevice();
        driveOneFrame(*effect);
        effect->Release();
    }
    fuzz::expectNoLeak(liveBefore);
    return 0;
}
