// The object behind a window handle of the SDL2 backend.
#pragma once

#include "platform/sdl/window_class.h"

#include <SDL2/SDL.h>

struct HWND__ {
    SDL_Window* sdl;
    sdlwin::WindowClass windowClass;
    // SDL_BUTTON masks of the mouse buttons down, as the last button events left them.
    Uint32 heldButtons = 0;
};

namespace sdlwin {

// The window an SDL event with this window id belongs to, or null.
HWND windowForId(Uint32 windowId);
// The program's window: the one created last (the disk has only one).
HWND mainWindow();

}  // namespace sdlwin
