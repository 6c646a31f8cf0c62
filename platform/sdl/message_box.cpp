#include "platform/sdl/sdl_window.h"
#include "platform/utf8.h"

#include <cstdio>

int MessageBoxW(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type) {
    const Uint32 flags = (type & MB_ICONERROR) ? SDL_MESSAGEBOX_ERROR : SDL_MESSAGEBOX_INFORMATION;
    const std::string message = platform::utf8FromWide(text);
    const std::string title = platform::utf8FromWide(caption);
    if (SDL_ShowSimpleMessageBox(flags, title.c_str(), message.c_str(), sdlwin::sdlWindow(owner)) != 0) {
        // Where no box can be shown the message must still reach the user.
        std::fprintf(stderr, "%s: %s\n", title.c_str(), message.c_str());
        return 0;
    }
    return IDOK;
}
