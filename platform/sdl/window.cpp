// Window creation and the default window procedure on SDL2.
#include "platform/sdl/window_object.h"

#include "platform/sdl/event_translation.h"
#include "platform/sdl/icon.h"
#include "platform/sdl/sdl_window.h"
#include "platform/utf8.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace sdlwin {

namespace {

HWND lastCreatedWindow = nullptr;

[[noreturn]] void refuseToRunInvisibly(const char* reason) {
    std::fprintf(stderr, "velmora: no display could be opened (%s); set DISPLAY to an X server\n", reason);
    // Nothing has been built that needs tidying, and other threads (the audio
    // warm-up) may still be using the libraries' static state that exit() would destroy.
    std::fflush(stderr);
    std::_Exit(EXIT_FAILURE);
}

bool isInvisibleDriver(const char* driver) {
    return driver && (std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0);
}

// SDL reads the X11 class of its windows once, when the video subsystem starts.
void startVideo(const std::string& className) {
    if (SDL_WasInit(SDL_INIT_VIDEO)) return;
    setenv("SDL_VIDEO_X11_WMCLASS", className.c_str(), 1);
    // Without a display SDL would quietly fall back to a driver that shows nothing.
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) refuseToRunInvisibly(SDL_GetError());
    if (isInvisibleDriver(SDL_GetCurrentVideoDriver())) refuseToRunInvisibly(SDL_GetCurrentVideoDriver());
}

// The pixel format is fixed when an X11 window is created, so the window is made for the GL device.
void requestDeviceVisual() {
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
}

void applyClassLook(SDL_Window* window, const WindowClass& windowClass) {
    HICON icon = windowClass.icon ? windowClass.icon : windowClass.smallIcon;
    if (icon) SDL_SetWindowIcon(window, icon->surface);
    if (SDL_Cursor* cursor = systemCursor(windowClass.cursor)) SDL_SetCursor(cursor);
}

// The system's move loop for a press on the caption: the window follows the
// mouse until the left button comes up. Nothing else runs meanwhile.
void runMoveLoop(HWND window) {
    int mouseStartX, mouseStartY, windowStartX, windowStartY;
    SDL_GetGlobalMouseState(&mouseStartX, &mouseStartY);
    SDL_GetWindowPosition(window->sdl, &windowStartX, &windowStartY);
    for (;;) {
        SDL_PumpEvents();
        int mouseX, mouseY;
        if (!(SDL_GetGlobalMouseState(&mouseX, &mouseY) & SDL_BUTTON_LMASK)) break;
        SDL_SetWindowPosition(window->sdl, windowStartX + mouseX - mouseStartX, windowStartY + mouseY - mouseStartY);
        SDL_Delay(5);
    }
    // The loop has consumed the mouse input of the drag, as the system's loop does.
    SDL_FlushEvents(SDL_MOUSEMOTION, SDL_MOUSEWHEEL);
    window->heldButtons &= ~SDL_BUTTON_LMASK;
}

bool isAltF4(UINT message, WPARAM wParam, LPARAM lParam) {
    constexpr WPARAM VK_F4 = VK_F1 + 3;
    constexpr LPARAM altDownBit = LPARAM{1} << 29;
    return message == WM_SYSKEYDOWN && wParam == VK_F4 && (lParam & altDownBit);
}

}  // namespace

SDL_Window* sdlWindow(HWND window) { return window ? window->sdl : nullptr; }

HWND windowForId(Uint32 windowId) {
    SDL_Window* window = SDL_GetWindowFromID(windowId);
    return window ? static_cast<HWND>(SDL_GetWindowData(window, "hwnd")) : nullptr;
}

HWND mainWindow() { return lastCreatedWindow; }

}  // namespace sdlwin

HWND CreateWindowExW(DWORD, LPCWSTR className, LPCWSTR windowName, DWORD, int x, int y, int width, int height,
                     HWND, HMENU, HINSTANCE, void*) {
    const sdlwin::WindowClass* windowClass = sdlwin::findClass(className);
    if (!windowClass) return nullptr;
    sdlwin::startVideo(platform::utf8FromWide(className));
    sdlwin::requestDeviceVisual();
    // Hidden until ShowWindow, as a window without WS_VISIBLE is on Windows.
    SDL_Window* sdl = SDL_CreateWindow(platform::utf8FromWide(windowName).c_str(), x, y, width, height,
                                       SDL_WINDOW_OPENGL | SDL_WINDOW_BORDERLESS | SDL_WINDOW_HIDDEN);
    if (!sdl) {
        std::fprintf(stderr, "velmora: the window could not be created: %s\n", SDL_GetError());
        return nullptr;
    }
    HWND window = new HWND__{sdl, *windowClass};
    SDL_SetWindowData(sdl, "hwnd", window);
    sdlwin::applyClassLook(sdl, *windowClass);
    sdlwin::lastCreatedWindow = window;
    return window;
}

LRESULT DefWindowProcW(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!window) return 0;
    if (message == WM_NCHITTEST) return HTCLIENT;
    if (message == WM_NCLBUTTONDOWN && wParam == static_cast<WPARAM>(HTCAPTION)) {
        sdlwin::runMoveLoop(window);
        return 0;
    }
    if (sdlwin::isAltF4(message, wParam, lParam)) return SendMessageW(window, WM_CLOSE, 0, 0);
    return 0;
}

BOOL ShowWindow(HWND window, int command) {
    if (!window) return FALSE;
    const BOOL wasVisible = (SDL_GetWindowFlags(window->sdl) & SDL_WINDOW_SHOWN) ? TRUE : FALSE;
    switch (command) {
        case SW_HIDE: SDL_HideWindow(window->sdl); break;
        case SW_MINIMIZE: SDL_MinimizeWindow(window->sdl); break;
        case SW_SHOWNORMAL:
        case SW_RESTORE:
            SDL_ShowWindow(window->sdl);
            SDL_RestoreWindow(window->sdl);
            break;
        default: SDL_ShowWindow(window->sdl); break;
    }
    return wasVisible;
}

BOOL UpdateWindow(HWND window) { return window ? TRUE : FALSE; }

BOOL GetCursorPos(POINT* point) {
    if (!point || !SDL_WasInit(SDL_INIT_VIDEO)) return FALSE;
    int x, y;
    SDL_GetGlobalMouseState(&x, &y);
    *point = POINT{x, y};
    return TRUE;
}
