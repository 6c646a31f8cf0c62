// Windowing in the headless world: one window whose state is recorded, message
// boxes that are recorded and dismissed at once, and the caption drag.
#include "platform/headless/headless_world.h"

using headless::detail::theWindow;
using headless::detail::world;

namespace {

std::wstring className(LPCWSTR name) {
    if (!name) return {};
    if (IS_INTRESOURCE(name)) return L"#" + std::to_wstring(reinterpret_cast<std::uintptr_t>(name));
    return name;
}

HINSTANCE theModule() {
    static char token;
    return reinterpret_cast<HINSTANCE>(&token);
}

}  // namespace

ATOM RegisterClassExW(const WNDCLASSEXW* wc) {
    auto& w = world();
    if (!wc || !wc->lpfnWndProc || w.failClassRegistration) return 0;
    const std::wstring name = className(wc->lpszClassName);
    if (name.empty() || w.classes.count(name)) return 0;
    w.classes[name] = {wc->lpfnWndProc, wc->hIcon};
    return static_cast<ATOM>(0xC000 + w.classes.size());
}

BOOL UnregisterClassW(LPCWSTR name, HINSTANCE) { return world().classes.erase(className(name)) ? TRUE : FALSE; }

HWND CreateWindowExW(DWORD, LPCWSTR name, LPCWSTR title, DWORD, int x, int y, int width, int height, HWND,
                     HMENU, HINSTANCE, void*) {
    auto& w = world();
    auto found = w.classes.find(className(name));
    if (found == w.classes.end() || w.failWindowCreation || w.window.exists) return nullptr;
    w.procedure = found->second.procedure;
    w.window = {true, false, false, x, y, width, height, headless::narrow(title), headless::narrow(name)};
    headless::detail::recordWindow("create");
    return theWindow();
}

BOOL ShowWindow(HWND window, int command) {
    auto& w = world();
    if (window != theWindow() || !w.window.exists) return FALSE;
    const bool wasVisible = w.window.shown && !w.window.minimised;
    if (command == SW_MINIMIZE) {
        w.window.minimised = true;
        headless::detail::recordWindow("minimise");
    } else if (command == SW_HIDE) {
        w.window.shown = false;
        headless::detail::recordWindow("hide");
    } else {
        w.window.shown = true;
        w.window.minimised = false;
        headless::detail::recordWindow("show");
    }
    return wasVisible ? TRUE : FALSE;
}

BOOL UpdateWindow(HWND window) { return window == theWindow() ? TRUE : FALSE; }
HMODULE GetModuleHandleW(LPCWSTR) { return theModule(); }

HCURSOR LoadCursorW(HINSTANCE, LPCWSTR name) {
    static char arrow;
    return name == IDC_ARROW ? reinterpret_cast<HCURSOR>(&arrow) : nullptr;
}

HICON LoadIconW(HINSTANCE, LPCWSTR name) {
    static char icon;
    return name == MAKEINTRESOURCEW(1) ? reinterpret_cast<HICON>(&icon) : nullptr;
}

int MessageBoxW(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type) {
    auto& w = world();
    headless::MessageBoxRecord record{w.tick - w.startTick, headless::narrow(text), headless::narrow(caption), type,
                                      owner != nullptr};
    w.messageBoxes.push_back(record);
    if (w.messageBoxListener) w.messageBoxListener(record);
    return IDOK;
}

BOOL GetCursorPos(POINT* point) {
    if (!point) return FALSE;
    const auto& w = world();
    // Client pixels lie inside the one-pixel border of the outer window.
    point->x = w.window.x + 1 + w.mouseX;
    point->y = w.window.y + 1 + w.mouseY;
    return TRUE;
}

LRESULT DefWindowProcW(HWND window, UINT message, WPARAM wParam, LPARAM) {
    if (window != theWindow()) return 0;
    auto& w = world();
    switch (message) {
        case WM_NCLBUTTONDOWN:
            if (wParam == static_cast<WPARAM>(HTCAPTION)) headless::detail::runMoveLoop();
            return 0;
        case WM_SYSKEYDOWN:
            // Alt+F4 asks the window to close, as the system menu does.
            if (wParam == 0x73 && w.keyDown[VK_MENU]) headless::detail::send(WM_CLOSE, 0, 0);
            return 0;
        case WM_NCHITTEST:
            return HTCLIENT;
        default:
            return 0;
    }
}

namespace headless::detail {

void runMoveLoop() {
    World& w = world();
    bool moved = false;
    while (w.leftDown && !w.script.empty()) {
        // Input other than the mouse waits until the drag is over.
        auto next = w.script.begin();
        while (next != w.script.end() && next->kind != InputKind::MouseMove &&
               !(next->kind == InputKind::Button && next->message == WM_LBUTTONUP))
            ++next;
        if (next == w.script.end()) break;
        const ScriptedInput input = *next;
        w.script.erase(next);
        if (input.at > w.tick - w.startTick) headless::advance(input.at - (w.tick - w.startTick));
        if (input.kind == InputKind::MouseMove) {
            // The window follows the mouse, so the cursor keeps its place in the client area.
            w.window.x += input.x - w.mouseX;
            w.window.y += input.y - w.mouseY;
            moved = true;
        } else {
            w.leftDown = false;
        }
    }
    // A drag that the script never ends stops with the script.
    w.leftDown = false;
    if (moved) recordWindow("move");
}

}  // namespace headless::detail
