#include "tests/fuzz/soft_device.h"

#include "platform/soft_device.h"

#include <cstdlib>

namespace fuzz {

IDirect3DDevice9* softDevice() {
    static IDirect3DDevice9* const device = [] {
        softgfx::reset();
        // Kept for the whole process, like the device made from it.
        static IDirect3D9* const direct3D = Direct3DCreate9(D3D_SDK_VERSION);
        D3DPRESENT_PARAMETERS parameters{};
        parameters.Windowed = TRUE;
        parameters.SwapEffect = D3DSWAPEFFECT_DISCARD;
        IDirect3DDevice9* created = nullptr;
        if (!direct3D || direct3D->CreateDevice(0, D3DDEVTYPE_HAL, nullptr, 0, &parameters, &created) != D3D_OK)
            std::abort();
        softgfx::setRasterizing(false);
        return created;
    }();
    softgfx::clearCalls();  // the log would otherwise grow with every input
    return device;
}

void expectNoLeak(unsigned liveBefore) {
    if (softgfx::liveObjects() != liveBefore) std::abort();
}

}  // namespace fuzz
