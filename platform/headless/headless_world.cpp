#include "platform/headless/headless_world.h"

#include "platform/utf8.h"

#include <algorithm>

namespace headless {

namespace detail {

World& world() {
    static World instance;
    return instance;
}

HWND theWindow() {
    static char token;
    return reinterpret_cast<HWND>(&token);
}

void recordWindow(const char* op) {
    World& w = world();
    WindowRecord record{w.tick - w.startTick, op, w.window.x, w.window.y};
    w.windowEvents.push_back(record);
    if (w.windowListener) w.windowListener(record);
}

}  // namespace detail

using detail::world;

void setStartTick(DWORD tick) {
    world().startTick = tick;
    world().tick = tick;
}

DWORD startTick() { return world().startTick; }
DWORD now() { return world().tick; }
DWORD sinceStart() { return world().tick - world().startTick; }

void advance(DWORD milliseconds) {
    detail::World& w = world();
    w.tick += milliseconds;
    for (const ClockListener& listener : w.clockListeners) listener(w.tick);
}

void setFrameCost(DWORD milliseconds) { world().frameCost = milliseconds; }
DWORD frameCost() { return world().frameCost; }
void addClockListener(ClockListener listener) { world().clockListeners.push_back(std::move(listener)); }

static void schedule(detail::ScriptedInput input) {
    auto& script = world().script;
    // Stable: an event goes after every event of the same or an earlier time.
    auto position = std::upper_bound(script.begin(), script.end(), input.at,
                                     [](DWORD at, const detail::ScriptedInput& e) { return at < e.at; });
    script.insert(position, input);
}

void scheduleMessage(DWORD atMs, UINT message, WPARAM wParam, LPARAM lParam) {
    schedule({atMs, detail::InputKind::Raw, 0, false, 0, 0, message, wParam, lParam});
}
void scheduleKey(DWORD atMs, WPARAM virtualKey, bool down) {
    schedule({atMs, detail::InputKind::Key, virtualKey, down, 0, 0, 0, 0, 0});
}
void scheduleMouseMove(DWORD atMs, int x, int y) {
    schedule({atMs, detail::InputKind::MouseMove, 0, false, x, y, WM_MOUSEMOVE, 0, 0});
}
void scheduleButton(DWORD atMs, UINT message) {
    schedule({atMs, detail::InputKind::Button, 0, false, 0, 0, message, 0, 0});
}
void scheduleClose(DWORD atMs) { schedule({atMs, detail::InputKind::Close, 0, false, 0, 0, WM_CLOSE, 0, 0}); }
void scheduleQuit(DWORD atMs) { schedule({atMs, detail::InputKind::Quit, 0, false, 0, 0, WM_QUIT, 0, 0}); }

void setTimeLimit(DWORD atMs) { world().timeLimit = atMs; }
bool timedOut() { return world().timedOut; }
bool closeDelivered() { return world().closeDelivered; }
bool quitDelivered() { return world().quitDelivered; }

const std::vector<MessageBoxRecord>& messageBoxes() { return world().messageBoxes; }
const std::vector<WindowRecord>& windowEvents() { return world().windowEvents; }
WindowState windowState() { return world().window; }
void setMessageBoxListener(MessageBoxListener listener) { world().messageBoxListener = std::move(listener); }
void setWindowListener(WindowListener listener) { world().windowListener = std::move(listener); }
void failClassRegistration(bool fail) { world().failClassRegistration = fail; }
void failWindowCreation(bool fail) { world().failWindowCreation = fail; }

void reset() { world() = detail::World{}; }

std::string narrow(const wchar_t* text) { return platform::utf8FromWide(text); }

}  // namespace headless

// Time.
DWORD GetTickCount() { return headless::now(); }
void Sleep(DWORD milliseconds) { headless::advance(milliseconds); }
