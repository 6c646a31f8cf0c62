// Physical keys as Windows virtual-key codes, the codes the window procedure indexes its keys by.
#pragma once

#include "platform/win32.h"

#include <SDL2/SDL.h>

namespace sdlwin {

// The virtual-key code of the key at this position (US layout, as Windows
// names keys by position for the OEM codes), or 0 for a key Windows has no code for.
WPARAM virtualKeyFor(SDL_Scancode scancode);

}  // namespace sdlwin
