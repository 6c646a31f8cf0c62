// The software IDirect3D9: one adapter that can always draw, unless a test
// asks it to fail.
#include "platform/soft/device.h"

namespace softgfx::detail {

namespace {

class SoftDirect3D final : public RefCounted<IDirect3D9> {
public:
    SoftDirect3D() : RefCounted(false) {}

    HRESULT GetDeviceCaps(UINT adapter, D3DDEVTYPE type, D3DCAPS9* caps) override {
        if (!caps || adapter != 0 || takeFault(Fault::GetDeviceCaps)) return D3DERR_INVALIDCALL;
        *caps = {type, adapter, 8192, 8192, 0xFFFFF, 0xFFFFFF};
        return D3D_OK;
    }

    HRESULT CheckDeviceMultiSampleType(UINT adapter, D3DDEVTYPE, D3DFORMAT, BOOL, D3DMULTISAMPLE_TYPE multiSample,
                                       DWORD* qualityLevels) override {
        const Fault fault = multiSample == D3DMULTISAMPLE_NONE ? Fault::CheckMultiSampleNone : Fault::CheckMultiSample2;
        const bool known = multiSample == D3DMULTISAMPLE_NONE || multiSample == D3DMULTISAMPLE_2_SAMPLES;
        if (adapter != 0 || !known || takeFault(fault)) return D3DERR_NOTAVAILABLE;
        if (qualityLevels) *qualityLevels = 1;
        return D3D_OK;
    }

    HRESULT CreateDevice(UINT adapter, D3DDEVTYPE, HWND, DWORD, D3DPRESENT_PARAMETERS* parameters,
                         IDirect3DDevice9** device) override {
        HRESULT result = D3D_OK;
        if (!device || !parameters || adapter != 0) {
            result = D3DERR_INVALIDCALL;
        } else if (takeFault(Fault::CreateDevice)) {
            result = D3DERR_NOTAVAILABLE;
        }
        if (device) *device = result == D3D_OK ? new SoftDevice(*parameters) : nullptr;
        record(Op::CreateDevice, result, device ? *device : nullptr);
        return result;
    }
};

}  // namespace

}  // namespace softgfx::detail

IDirect3D9* Direct3DCreate9(UINT sdkVersion) {
    using namespace softgfx::detail;
    if (sdkVersion != D3D_SDK_VERSION || takeFault(softgfx::Fault::CreateDirect3D)) return nullptr;
    return new SoftDirect3D();
}
