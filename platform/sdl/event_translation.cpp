#include "platform/sdl/event_translation.h"

#include "platform/sdl/keymap.h"
#include "platform/sdl/sdl_window.h"

namespace sdlwin {

namespace {

// Bits of a key message's lParam.
constexpr LPARAM repeatCountOne = 1;
constexpr LPARAM altDownBit = LPARAM{1} << 29;
constexpr LPARAM previousStateBit = LPARAM{1} << 30;
constexpr LPARAM transitionBit = LPARAM{1} << 31;

// Sent only to classes with CS_DBLCLKS, which the program's class is not.
constexpr UINT WM_RBUTTONDBLCLK = 0x0206;
constexpr UINT WM_MBUTTONDBLCLK = 0x0209;

bool isSystemKey(WPARAM virtualKey, Uint16 modifiers) {
    return virtualKey == VK_MENU || virtualKey == VK_F10 || (modifiers & KMOD_ALT) != 0;
}

LPARAM keyFlags(const SDL_KeyboardEvent& key, bool altDown) {
    const bool down = key.state == SDL_PRESSED;
    LPARAM flags = repeatCountOne;
    if (altDown) flags |= altDownBit;
    if (!down || key.repeat) flags |= previousStateBit;
    if (!down) flags |= transitionBit;
    return flags;
}

struct ButtonMessages {
    UINT down;
    UINT up;
    UINT doubleClick;
};

std::optional<ButtonMessages> messagesForButton(Uint8 button) {
    switch (button) {
        case SDL_BUTTON_LEFT: return ButtonMessages{WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK};
        case SDL_BUTTON_RIGHT: return ButtonMessages{WM_RBUTTONDOWN, WM_RBUTTONUP, WM_RBUTTONDBLCLK};
        case SDL_BUTTON_MIDDLE: return ButtonMessages{WM_MBUTTONDOWN, WM_MBUTTONUP, WM_MBUTTONDBLCLK};
        default: return std::nullopt;
    }
}

LPARAM clientPoint(int windowX, int windowY) { return packPoint(windowX - borderWidth, windowY - borderWidth); }

}  // namespace

LPARAM packPoint(int x, int y) { return MAKELPARAM(static_cast<std::int16_t>(x), static_cast<std::int16_t>(y)); }

WPARAM mouseKeyFlags(Uint32 buttonMask, Uint16 modifiers) {
    WPARAM flags = 0;
    if (buttonMask & SDL_BUTTON_LMASK) flags |= MK_LBUTTON;
    if (buttonMask & SDL_BUTTON_RMASK) flags |= MK_RBUTTON;
    if (buttonMask & SDL_BUTTON_MMASK) flags |= MK_MBUTTON;
    if (modifiers & KMOD_SHIFT) flags |= MK_SHIFT;
    if (modifiers & KMOD_CTRL) flags |= MK_CONTROL;
    return flags;
}

std::optional<Message> keyMessage(const SDL_KeyboardEvent& key) {
    const WPARAM virtualKey = virtualKeyFor(key.keysym.scancode);
    if (virtualKey == 0) return std::nullopt;
    const bool down = key.state == SDL_PRESSED;
    const bool system = isSystemKey(virtualKey, key.keysym.mod);
    const UINT message = system ? (down ? WM_SYSKEYDOWN : WM_SYSKEYUP) : (down ? WM_KEYDOWN : WM_KEYUP);
    const bool altDown = (key.keysym.mod & KMOD_ALT) != 0 || (virtualKey == VK_MENU && down);
    return Message{message, virtualKey, keyFlags(key, altDown)};
}

Message mouseMoveMessage(const SDL_MouseMotionEvent& motion, Uint16 modifiers) {
    return Message{WM_MOUSEMOVE, mouseKeyFlags(motion.state, modifiers), clientPoint(motion.x, motion.y)};
}

std::optional<Message> mouseButtonMessage(const SDL_MouseButtonEvent& button, Uint32 heldButtons,
                                          Uint16 modifiers, bool doubleClicks) {
    const auto messages = messagesForButton(button.button);
    if (!messages) return std::nullopt;
    UINT message = messages->up;
    if (button.state == SDL_PRESSED)
        message = doubleClicks && button.clicks % 2 == 0 ? messages->doubleClick : messages->down;
    return Message{message, mouseKeyFlags(heldButtons, modifiers), clientPoint(button.x, button.y)};
}

}  // namespace sdlwin
