// Window classes, module handles, cursors and icons.
#include "platform/sdl/window_class.h"

#include "platform/sdl/icon.h"

#include <SDL2/SDL.h>

#include <vector>

struct HINSTANCE__ {};
struct HCURSOR__ {
    SDL_SystemCursor shape;
};

namespace sdlwin {

namespace {

std::vector<WindowClass>& registeredClasses() {
    static std::vector<WindowClass> classes;
    return classes;
}

std::vector<WindowClass>::iterator classNamed(LPCWSTR name) {
    auto& classes = registeredClasses();
    auto it = classes.begin();
    while (it != classes.end() && !(name && !IS_INTRESOURCE(name) && it->name == name)) ++it;
    return it;
}

}  // namespace

const WindowClass* findClass(LPCWSTR name) {
    auto it = classNamed(name);
    return it == registeredClasses().end() ? nullptr : &*it;
}

}  // namespace sdlwin

using sdlwin::WindowClass;

ATOM RegisterClassExW(const WNDCLASSEXW* wc) {
    if (!wc || wc->cbSize != sizeof(WNDCLASSEXW) || !wc->lpfnWndProc || !wc->lpszClassName ||
        IS_INTRESOURCE(wc->lpszClassName) || sdlwin::findClass(wc->lpszClassName))
        return 0;
    auto& classes = sdlwin::registeredClasses();
    classes.push_back(WindowClass{wc->lpszClassName, wc->style, wc->lpfnWndProc, wc->hIcon, wc->hIconSm,
                                  wc->hCursor});
    // Atoms of registered classes start at 0xC000 on Windows.
    return static_cast<ATOM>(0xC000 + classes.size() - 1);
}

BOOL UnregisterClassW(LPCWSTR className, HINSTANCE) {
    auto it = sdlwin::classNamed(className);
    if (it == sdlwin::registeredClasses().end()) return FALSE;
    sdlwin::registeredClasses().erase(it);
    return TRUE;
}

HMODULE GetModuleHandleW(LPCWSTR moduleName) {
    static HINSTANCE__ program;
    return moduleName ? nullptr : &program;
}

HCURSOR LoadCursorW(HINSTANCE instance, LPCWSTR name) {
    static HCURSOR__ arrow{SDL_SYSTEM_CURSOR_ARROW};
    return !instance && name == IDC_ARROW ? &arrow : nullptr;
}

HICON LoadIconW(HINSTANCE instance, LPCWSTR name) {
    return instance && name == MAKEINTRESOURCEW(1) ? sdlwin::loadProgramIcon() : nullptr;
}

namespace sdlwin {

SDL_Cursor* systemCursor(HCURSOR cursor) { return cursor ? SDL_CreateSystemCursor(cursor->shape) : nullptr; }

}  // namespace sdlwin
