#include "tests/gui/stand_ins.h"

#include "app/input_state.h"
#include "display/window.h"

#include <cstring>

Window* Window::self = nullptr;
InputState* InputState::self = nullptr;

Window* Window::instance() {
    if (!self) self = new Window();
    return self;
}

void Window::destroy() {
    delete self;
    self = nullptr;
}

Window::Window() { createDevice(); }

void Window::createDevice() {
    direct3D = Direct3DCreate9(D3D_SDK_VERSION);
    if (!direct3D) return;
    presentParameters = {};
    presentParameters.BackBufferFormat = D3DFMT_X8R8G8B8;
    presentParameters.BackBufferCount = 1;
    presentParameters.SwapEffect = D3DSWAPEFFECT_DISCARD;
    presentParameters.Windowed = TRUE;
    presentParameters.EnableAutoDepthStencil = TRUE;
    presentParameters.AutoDepthStencilFormat = D3DFMT_D24X8;
    if (FAILED(direct3D->CreateDevice(0, D3DDEVTYPE_HAL, nullptr, D3DCREATE_SOFTWARE_VERTEXPROCESSING,
                                      &presentParameters, &device)))
        device = nullptr;
}

void Window::release() {
    if (device) device->Release();
    if (direct3D) direct3D->Release();
    device = nullptr;
    direct3D = nullptr;
}

InputState* InputState::instance() {
    if (!self) self = new InputState();
    return self;
}

void InputState::destroy() {
    delete self;
    self = nullptr;
}

void InputState::snapshot() {
    std::memcpy(previousKeys, keys, sizeof keys);
    std::memcpy(previousButtons, buttons, sizeof buttons);
}

IDirect3DDevice9* standInDevice() { return Window::instance()->device; }

void resetStandInInput() { *InputState::instance() = InputState(); }
