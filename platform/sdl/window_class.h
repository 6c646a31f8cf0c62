// Registered window classes: what CreateWindowExW and the message pump need
// of a class once it is registered.
#pragma once

#include "platform/win32.h"

#include <SDL2/SDL.h>

#include <string>

namespace sdlwin {

struct WindowClass {
    std::wstring name;
    UINT style = 0;
    WNDPROC procedure = nullptr;
    HICON icon = nullptr;
    HICON smallIcon = nullptr;
    HCURSOR cursor = nullptr;
};

// The class registered under name, or null.
const WindowClass* findClass(LPCWSTR name);

// A new SDL cursor of the shape LoadCursorW gave, or null.
SDL_Cursor* systemCursor(HCURSOR cursor);

}  // namespace sdlwin
