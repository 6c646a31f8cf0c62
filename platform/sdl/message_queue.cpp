// The message queue: posted messages first, then SDL's events turned into
// messages one at a time, so that what a window procedure does on one message
// (the drag starts on a hit test) is seen before the next event is read.
#include "platform/sdl/window_object.h"

#include "platform/sdl/event_translation.h"
#include "platform/sdl/sdl_window.h"

#include <deque>
#include <optional>

namespace sdlwin {

namespace {

struct Queue {
    std::deque<MSG> posted;
    std::optional<int> quitCode;
};

Queue& queue() {
    static Queue instance;
    return instance;
}

void post(HWND window, const Message& message) {
    POINT cursor{};
    GetCursorPos(&cursor);
    queue().posted.push_back(MSG{window, message.message, message.wParam, message.lParam, GetTickCount(), cursor});
}

// Windows asks the window what lies under the mouse before every mouse message.
void sendHitTest(HWND window, int windowX, int windowY) {
    int left, top;
    SDL_GetWindowPosition(window->sdl, &left, &top);
    SendMessageW(window, WM_NCHITTEST, 0, packPoint(left + windowX, top + windowY));
}

Uint16 modifiers() { return static_cast<Uint16>(SDL_GetModState()); }

bool postWindowEvent(const SDL_WindowEvent& event) {
    HWND window = windowForId(event.windowID);
    if (!window) return false;
    switch (event.event) {
        case SDL_WINDOWEVENT_CLOSE: post(window, Message{WM_CLOSE, 0, 0}); return true;
        case SDL_WINDOWEVENT_MOVED:
            post(window, Message{WM_MOVE, 0, packPoint(event.data1 + borderWidth, event.data2 + borderWidth)});
            return true;
        default: return false;
    }
}

bool postKey(const SDL_KeyboardEvent& key) {
    HWND window = windowForId(key.windowID);
    const auto message = keyMessage(key);
    if (!window || !message) return false;
    post(window, *message);
    return true;
}

bool postMouseMove(const SDL_MouseMotionEvent& motion) {
    HWND window = windowForId(motion.windowID);
    if (!window) return false;
    sendHitTest(window, motion.x, motion.y);
    post(window, mouseMoveMessage(motion, modifiers()));
    return true;
}

bool postMouseButton(const SDL_MouseButtonEvent& button) {
    HWND window = windowForId(button.windowID);
    if (!window) return false;
    if (button.state == SDL_PRESSED)
        window->heldButtons |= SDL_BUTTON(button.button);
    else
        window->heldButtons &= ~SDL_BUTTON(button.button);
    const bool doubleClicks = (window->windowClass.style & CS_DBLCLKS) != 0;
    const auto message = mouseButtonMessage(button, window->heldButtons, modifiers(), doubleClicks);
    if (!message) return false;
    sendHitTest(window, button.x, button.y);
    post(window, *message);
    return true;
}

// An interrupt or termination signal reaches the program as SDL's quit event:
// the program ends as on a close request.
bool postQuitRequest() {
    HWND window = mainWindow();
    if (!window) return false;
    post(window, Message{WM_CLOSE, 0, 0});
    return true;
}

bool postEvent(const SDL_Event& event) {
    switch (event.type) {
        case SDL_QUIT: return postQuitRequest();
        case SDL_WINDOWEVENT: return postWindowEvent(event.window);
        case SDL_KEYDOWN:
        case SDL_KEYUP: return postKey(event.key);
        case SDL_MOUSEMOTION: return postMouseMove(event.motion);
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP: return postMouseButton(event.button);
        default: return false;
    }
}

bool postNextEvent() {
    if (!SDL_WasInit(SDL_INIT_VIDEO)) return false;
    SDL_Event event;
    while (SDL_PollEvent(&event))
        if (postEvent(event)) return true;
    return false;
}

struct Filter {
    HWND window;
    UINT first;
    UINT last;

    bool matches(const MSG& message) const {
        const bool anyMessage = first == 0 && last == 0;
        return (!window || message.hwnd == window) &&
               (anyMessage || (message.message >= first && message.message <= last));
    }
};

bool takePosted(const Filter& filter, MSG* message, bool remove) {
    auto& posted = queue().posted;
    for (auto it = posted.begin(); it != posted.end(); ++it) {
        if (!filter.matches(*it)) continue;
        *message = *it;
        if (remove) posted.erase(it);
        return true;
    }
    return false;
}

// WM_QUIT comes only once nothing else is waiting, as on Windows.
bool takeQuit(const Filter& filter, MSG* message, bool remove) {
    auto& quitCode = queue().quitCode;
    const MSG quit{nullptr, WM_QUIT, static_cast<WPARAM>(quitCode.value_or(0)), 0, GetTickCount(), {}};
    if (!quitCode || !filter.matches(quit)) return false;
    *message = quit;
    if (remove) quitCode.reset();
    return true;
}

}  // namespace

}  // namespace sdlwin

BOOL PeekMessageW(MSG* message, HWND window, UINT filterMin, UINT filterMax, UINT removeFlags) {
    if (!message) return FALSE;
    const sdlwin::Filter filter{window, filterMin, filterMax};
    const bool remove = (removeFlags & PM_REMOVE) != 0;
    do {
        if (sdlwin::takePosted(filter, message, remove)) return TRUE;
    } while (sdlwin::postNextEvent());
    return sdlwin::takeQuit(filter, message, remove) ? TRUE : FALSE;
}

BOOL TranslateMessage(const MSG* message) {
    // Character messages are not made: nothing in the program reads them.
    if (!message) return FALSE;
    const UINT m = message->message;
    return m == WM_KEYDOWN || m == WM_KEYUP || m == WM_SYSKEYDOWN || m == WM_SYSKEYUP;
}

LRESULT DispatchMessageW(const MSG* message) {
    if (!message || !message->hwnd) return 0;
    return SendMessageW(message->hwnd, message->message, message->wParam, message->lParam);
}

LRESULT SendMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!window) return 0;
    return window->windowClass.procedure(window, message, wParam, lParam);
}

void PostQuitMessage(int exitCode) { sdlwin::queue().quitCode = exitCode; }
