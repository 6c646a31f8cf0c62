// What the SDL2 window backend shares with the OpenGL device: the SDL window
// behind a window handle. The GL device creates its context on it.
#pragma once

#include "platform/win32.h"

#include <SDL2/SDL.h>

namespace sdlwin {

// The SDL window of a handle from CreateWindowExW, or null for any other value.
SDL_Window* sdlWindow(HWND window);

// The outer window carries a one-pixel border around the client area, as a
// WS_BORDER window does on Windows: client pixel (0, 0) is window pixel (1, 1).
constexpr int borderWidth = 1;

}  // namespace sdlwin
