// The real millisecond clock.
#include "platform/win32.h"

#include <SDL2/SDL.h>

DWORD GetTickCount() { return static_cast<DWORD>(SDL_GetTicks64()); }

void Sleep(DWORD milliseconds) { SDL_Delay(milliseconds); }
