#include "display/window.h"

#include "app/input_state.h"
#include "app/scene_manager.h"

#include <cstdio>
#include <cstdlib>

namespace {

constexpr wchar_t kClassName[] = L"musicdisk";
constexpr wchar_t kTitle[] = L"Velmora 2";
constexpr wchar_t kCaption[] = L"Velmora";
constexpr int kLeft = 10;
constexpr int kTop = 100;

// Without a window there is nothing to run: stop as an assertion does, in every build.
void requireWindow(bool condition, const char* expression, int line) {
    if (condition) return;
    std::fprintf(stderr, "velmora: window.cpp:%d: Assertion `%s' failed.\n", line, expression);
    std::abort();
}

// The window procedure's copy of the handle.
HWND globalWindowHandle = nullptr;

WNDCLASSEXW windowClass() {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_CLASSDC;
    wc.lpfnWndProc = windowProcedure;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hIcon = LoadIconW(wc.hInstance, MAKEINTRESOURCEW(1));
    wc.hIconSm = wc.hIcon;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kClassName;
    return wc;
}

void showError(HWND owner, const wchar_t* text) { MessageBoxW(owner, text, kCaption, MB_OK); }

D3DMULTISAMPLE_TYPE chooseMultiSample(IDirect3D9* direct3D) {
    if (SUCCEEDED(direct3D->CheckDeviceMultiSampleType(0, D3DDEVTYPE_HAL, D3DFMT_X8R8G8B8, TRUE,
                                                       D3DMULTISAMPLE_NONE, nullptr)))
        return D3DMULTISAMPLE_NONE;
    if (SUCCEEDED(direct3D->CheckDeviceMultiSampleType(0, D3DDEVTYPE_HAL, D3DFMT_X8R8G8B8, TRUE,
                                                       D3DMULTISAMPLE_2_SAMPLES, nullptr)))
        return D3DMULTISAMPLE_2_SAMPLES;
    return D3DMULTISAMPLE_NONE;
}

// Presses of the left button anywhere in the window move it, since it has no caption.
void dragWindow() {
    POINT cursor{};
    GetCursorPos(&cursor);
    SendMessageW(globalWindowHandle, WM_NCLBUTTONDOWN, static_cast<WPARAM>(HTCAPTION), MAKELPARAM(cursor.x, cursor.y));
    SendMessageW(globalWindowHandle, WM_LBUTTONUP, 0, 0);
}

void recordKey(WPARAM virtualKey, std::uint8_t state) {
    if (virtualKey < 256) InputState::instance()->keys[virtualKey] = state;
}

LRESULT recordMouseMove(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    InputState* input = InputState::instance();
    const int x = static_cast<std::int16_t>(LOWORD(lParam));
    const int y = static_cast<std::int16_t>(HIWORD(lParam));
    input->mouseDeltaX = x - input->mouseX;
    input->mouseDeltaY = y - input->mouseY;
    input->mouseX = x;
    input->mouseY = y;
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

Window* Window::self = nullptr;

Window* Window::instance() {
    if (!self) self = new Window();
    return self;
}

void Window::destroy() {
    delete self;
    self = nullptr;
}

Window::Window() {
    width = 820;
    height = 320;
    WNDCLASSEXW wc = windowClass();
    requireWindow(RegisterClassExW(&wc) != 0, "RegisterClassEx( &wc )", __LINE__);
    windowHandle = CreateWindowExW(0, kClassName, kTitle, WS_POPUPWINDOW, kLeft, kTop, width, height, nullptr,
                                   nullptr, wc.hInstance, nullptr);
    globalWindowHandle = windowHandle;
    requireWindow(windowHandle != nullptr, "windowHandle", __LINE__);
    createDevice();
}

void Window::createDevice() {
    direct3D = Direct3DCreate9(D3D_SDK_VERSION);
    if (!direct3D) {
        showError(windowHandle, L"Please install the correct version of Direct3D 9");
        return;
    }
    D3DCAPS9 caps{};
    if (FAILED(direct3D->GetDeviceCaps(0, D3DDEVTYPE_HAL, &caps)))
        showError(windowHandle, L"Failed to query device capabilities");

    presentParameters = {};
    presentParameters.BackBufferWidth = 0;
    presentParameters.BackBufferHeight = 0;
    presentParameters.BackBufferFormat = D3DFMT_X8R8G8B8;
    presentParameters.BackBufferCount = 1;
    presentParameters.MultiSampleType = chooseMultiSample(direct3D);
    presentParameters.MultiSampleQuality = 0;
    presentParameters.SwapEffect = D3DSWAPEFFECT_DISCARD;
    presentParameters.hDeviceWindow = nullptr;
    presentParameters.Windowed = TRUE;
    presentParameters.EnableAutoDepthStencil = TRUE;
    presentParameters.AutoDepthStencilFormat = D3DFMT_D24X8;
    presentParameters.PresentationInterval = D3DPRESENT_INTERVAL_DEFAULT;

    if (FAILED(direct3D->CreateDevice(0, D3DDEVTYPE_HAL, windowHandle, D3DCREATE_SOFTWARE_VERTEXPROCESSING,
                                      &presentParameters, &device))) {
        device = nullptr;
        showError(windowHandle, L"Failed to create Direct3D Device");
    }
    ShowWindow(windowHandle, SW_SHOWNORMAL);
    UpdateWindow(windowHandle);
}

void Window::release() {
    if (device) {
        device->Release();
        device = nullptr;
    }
    if (direct3D) {
        direct3D->Release();
        direct3D = nullptr;
    }
    UnregisterClassW(kClassName, GetModuleHandleW(nullptr));
}

LRESULT windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    InputState* input = InputState::instance();
    switch (message) {
        case WM_CLOSE:
        case WM_QUIT:
            SceneManager::instance()->running = false;
            return 0;
        case WM_NCHITTEST:
            if (input->buttons[0]) dragWindow();
            return HTCLIENT;
        case WM_KEYDOWN: recordKey(wParam, 1); return 0;
        case WM_KEYUP: recordKey(wParam, 0); return 0;
        case WM_MOUSEMOVE: return recordMouseMove(window, message, wParam, lParam);
        case WM_LBUTTONDOWN: input->buttons[0] = 1; return 0;
        case WM_LBUTTONUP: input->buttons[0] = 0; return 0;
        case WM_RBUTTONDOWN: input->buttons[2] = 1; return 0;
        case WM_RBUTTONUP: input->buttons[2] = 0; return 0;
        default: return DefWindowProcW(window, message, wParam, lParam);
    }
}
