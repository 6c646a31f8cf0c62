// SDL events as the Windows messages a window procedure expects.
#pragma once

#include "platform/win32.h"

#include <SDL2/SDL.h>

#include <optional>

namespace sdlwin {

struct Message {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

// A point packed as Windows packs it: x in the low word, y in the high word,
// each a signed 16-bit value.
LPARAM packPoint(int x, int y);

// The MK_* flags of mouse messages for these SDL buttons and keyboard modifiers.
WPARAM mouseKeyFlags(Uint32 buttonMask, Uint16 modifiers);

// WM_KEYDOWN/WM_KEYUP, or WM_SYSKEYDOWN/WM_SYSKEYUP for Alt, keys pressed with
// Alt and F10; nothing for a key Windows has no code for.
std::optional<Message> keyMessage(const SDL_KeyboardEvent& key);

// WM_MOUSEMOVE for a motion event (client pixels: window pixels less the border).
Message mouseMoveMessage(const SDL_MouseMotionEvent& motion, Uint16 modifiers);

// The button message of a button event; heldButtons is the button mask after
// the event. Double clicks give WM_LBUTTONDBLCLK only to classes that ask for
// them (CS_DBLCLKS). Nothing for buttons Windows has no message for here.
std::optional<Message> mouseButtonMessage(const SDL_MouseButtonEvent& button, Uint32 heldButtons,
                                          Uint16 modifiers, bool doubleClicks);

}  // namespace sdlwin
