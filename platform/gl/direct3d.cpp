// The Direct3D object of the OpenGL backend: what the adapter offers, and device creation on the window.
#include "platform/gl/device.h"
#include "platform/gl/readback.h"
#include "platform/sdl/sdl_window.h"

namespace glgfx {

namespace {

// What every OpenGL 3.3 implementation the disk runs on offers; the disk only checks that the query works.
constexpr DWORD maxTextureSide = 8192;

class GlDirect3D final : public RefCounted<IDirect3D9> {
public:
    HRESULT GetDeviceCaps(UINT adapter, D3DDEVTYPE type, D3DCAPS9* caps) override {
        if (!caps || adapter != 0 || type != D3DDEVTYPE_HAL) return D3DERR_INVALIDCALL;
        *caps = D3DCAPS9{D3DDEVTYPE_HAL, 0, maxTextureSide, maxTextureSide, 0xFFFFF, 0xFFFFFF};
        return D3D_OK;
    }

    // No multisampling: the picture must match the software device's pixel for pixel.
    HRESULT CheckDeviceMultiSampleType(UINT adapter, D3DDEVTYPE type, D3DFORMAT, BOOL, D3DMULTISAMPLE_TYPE multiSample,
                                       DWORD* qualityLevels) override {
        if (adapter != 0 || type != D3DDEVTYPE_HAL) return D3DERR_INVALIDCALL;
        if (multiSample != D3DMULTISAMPLE_NONE) return D3DERR_NOTAVAILABLE;
        if (qualityLevels) *qualityLevels = 1;
        return D3D_OK;
    }

    HRESULT CreateDevice(UINT adapter, D3DDEVTYPE type, HWND focusWindow, DWORD, D3DPRESENT_PARAMETERS* parameters,
                         IDirect3DDevice9** device) override {
        if (!device) return D3DERR_INVALIDCALL;
        *device = nullptr;
        if (!parameters || adapter != 0 || type != D3DDEVTYPE_HAL) return D3DERR_INVALIDCALL;
        HWND window = parameters->hDeviceWindow ? parameters->hDeviceWindow : focusWindow;
        SharedContext context = Context::create(sdlwin::sdlWindow(window));
        if (!context) return D3DERR_NOTAVAILABLE;
        *device = new GlDevice(std::move(context), *parameters);
        return D3D_OK;
    }
};

}  // namespace

std::vector<std::uint8_t> readBackBuffer(IDirect3DDevice9* device, int& width, int& height) {
    width = height = 0;
    auto* glDevice = dynamic_cast<GlDevice*>(device);
    return glDevice ? glDevice->readBackBuffer(width, height) : std::vector<std::uint8_t>{};
}

}  // namespace glgfx

IDirect3D9* Direct3DCreate9(UINT sdkVersion) {
    return sdkVersion == D3D_SDK_VERSION ? new glgfx::GlDirect3D : nullptr;
}
