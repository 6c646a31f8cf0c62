// The message queue of the headless world: scripted input becomes the messages
// Windows would deliver, at the virtual times the script gives.
#include "platform/headless/headless_world.h"

using headless::detail::InputKind;
using headless::detail::ScriptedInput;
using headless::detail::theWindow;
using headless::detail::world;

namespace {

MSG makeMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    auto& w = world();
    MSG msg{};
    msg.hwnd = message == WM_QUIT ? nullptr : theWindow();
    msg.message = message;
    msg.wParam = wParam;
    msg.lParam = lParam;
    msg.time = w.tick;
    msg.pt = {w.window.x + 1 + w.mouseX, w.window.y + 1 + w.mouseY};
    return msg;
}

WPARAM mouseKeyFlags() {
    const auto& w = world();
    WPARAM flags = 0;
    if (w.leftDown) flags |= MK_LBUTTON;
    if (w.rightDown) flags |= MK_RBUTTON;
    if (w.keyDown[VK_SHIFT]) flags |= MK_SHIFT;
    if (w.keyDown[VK_CONTROL]) flags |= MK_CONTROL;
    return flags;
}

// Key messages as Windows builds them: Alt, keys held with Alt, and F10 are system keys.
MSG keyMessage(const ScriptedInput& input) {
    auto& w = world();
    const WPARAM key = input.virtualKey & 0xFF;
    const bool wasDown = w.keyDown[key];
    if (input.down) w.keyDown[key] = true;
    const bool alt = w.keyDown[VK_MENU];
    if (!input.down) w.keyDown[key] = false;
    const bool system = alt || key == VK_F10;
    UINT message = input.down ? (system ? WM_SYSKEYDOWN : WM_KEYDOWN) : (system ? WM_SYSKEYUP : WM_KEYUP);
    std::uint32_t lParam = 1;
    if (alt && key != VK_MENU) lParam |= 1u << 29;
    if (wasDown || !input.down) lParam |= 1u << 30;
    if (!input.down) lParam |= 1u << 31;
    return makeMessage(message, input.virtualKey, static_cast<LPARAM>(static_cast<std::int32_t>(lParam)));
}

MSG mouseMessage(const ScriptedInput& input) {
    auto& w = world();
    if (input.kind == InputKind::MouseMove) {
        w.mouseX = input.x;
        w.mouseY = input.y;
    } else if (input.message == WM_LBUTTONDOWN || input.message == WM_LBUTTONUP) {
        w.leftDown = input.message == WM_LBUTTONDOWN;
    } else if (input.message == WM_RBUTTONDOWN || input.message == WM_RBUTTONUP) {
        w.rightDown = input.message == WM_RBUTTONDOWN;
    }
    return makeMessage(input.message, mouseKeyFlags(), MAKELPARAM(w.mouseX, w.mouseY));
}

bool isMouse(const ScriptedInput& input) {
    return input.kind == InputKind::MouseMove || input.kind == InputKind::Button;
}

MSG toMessage(const ScriptedInput& input) {
    switch (input.kind) {
        case InputKind::Key: return keyMessage(input);
        case InputKind::MouseMove:
        case InputKind::Button: return mouseMessage(input);
        case InputKind::Close: return makeMessage(WM_CLOSE, 0, 0);
        case InputKind::Quit: return makeMessage(WM_QUIT, 0, 0);
        case InputKind::Raw: break;
    }
    return makeMessage(input.message, input.wParam, input.lParam);
}

bool takeDueInput(MSG* msg) {
    auto& w = world();
    if (w.script.empty() || w.script.front().at > w.tick - w.startTick) return false;
    const ScriptedInput input = w.script.front();
    w.script.pop_front();
    *msg = toMessage(input);
    // Windows asks the window where the mouse is before it posts a mouse message;
    // the answer may start a caption drag, which runs to its end in here.
    if (isMouse(input) && w.procedure) headless::detail::send(WM_NCHITTEST, 0, MAKELPARAM(msg->pt.x, msg->pt.y));
    return true;
}

bool timeLimitReached() {
    auto& w = world();
    return w.timeLimit && !w.timedOut && w.tick - w.startTick >= *w.timeLimit;
}

}  // namespace

namespace headless::detail {

LRESULT send(UINT message, WPARAM wParam, LPARAM lParam) {
    auto& w = world();
    if (!w.procedure || !w.window.exists) return 0;
    if (message == WM_CLOSE) w.closeDelivered = true;
    return w.procedure(theWindow(), message, wParam, lParam);
}

}  // namespace headless::detail

BOOL PeekMessageW(MSG* msg, HWND, UINT, UINT, UINT removeFlags) {
    auto& w = world();
    if (!msg) return FALSE;
    if (timeLimitReached()) {
        if (removeFlags & PM_REMOVE) w.timedOut = true;
        *msg = makeMessage(WM_QUIT, 0, 0);
        return TRUE;
    }
    if (!w.posted.empty()) {
        *msg = w.posted.front();
        if (removeFlags & PM_REMOVE) w.posted.pop_front();
    } else if (!takeDueInput(msg)) {
        return FALSE;
    }
    if (msg->message == WM_QUIT) w.quitDelivered = true;
    return TRUE;
}

BOOL TranslateMessage(const MSG*) { return FALSE; }

LRESULT DispatchMessageW(const MSG* msg) {
    if (!msg || msg->hwnd != theWindow()) return 0;
    return headless::detail::send(msg->message, msg->wParam, msg->lParam);
}

LRESULT SendMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (window != theWindow()) return 0;
    return headless::detail::send(message, wParam, lParam);
}

void PostQuitMessage(int exitCode) {
    world().posted.push_back(makeMessage(WM_QUIT, static_cast<WPARAM>(exitCode), 0));
}
