// The program's only window and the graphics device that draws into it.
#pragma once

#include "platform/d3d9.h"

#include <cstdint>

class Window {
public:
    static Window* instance();
    static void destroy();

    void createDevice();
    void release();

    HWND windowHandle = nullptr;
    IDirect3D9* direct3D = nullptr;
    IDirect3DDevice9* device = nullptr;
    D3DPRESENT_PARAMETERS presentParameters = {};
    // The outer size; the GUI scales heights by width / height so that squares stay square.
    std::int32_t width = 820;
    std::int32_t height = 320;

private:
    Window();
    static Window* self;
};

// The window procedure (closing, dragging, and the input messages).
LRESULT windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
