// Control of the headless world, for tests and the capture tool: the virtual
// clock, scripted input, and what the program showed (message boxes, window
// state). Linked only into binaries that use the headless backends.
#pragma once

#include "win32.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace headless {

// The virtual millisecond clock. It starts at startTick (settable, so that the
// 2^32 wrap can be tested) and moves only through Sleep and the per-frame cost.
void setStartTick(DWORD tick);
DWORD startTick();
DWORD now();
// Milliseconds since the start tick (modulo 2^32).
DWORD sinceStart();
void advance(DWORD milliseconds);
// Virtual milliseconds that drawing and presenting one frame takes (default 1).
void setFrameCost(DWORD milliseconds);
DWORD frameCost();
// Called with the new tick after every advance of the clock (the audio output
// renders up to it).
using ClockListener = std::function<void(DWORD now)>;
void addClockListener(ClockListener listener);

// Scripted input: a message delivered by PeekMessage once the clock has reached
// its time (milliseconds since the start tick). Messages of equal time keep the
// order in which they were scheduled.
void scheduleMessage(DWORD atMs, UINT message, WPARAM wParam, LPARAM lParam);
// Helpers that give what Windows would send: WM_KEYDOWN/UP, or WM_SYSKEYDOWN/UP
// while Alt is held and for F10; mouse messages at client pixel (x, y).
void scheduleKey(DWORD atMs, WPARAM virtualKey, bool down);
void scheduleMouseMove(DWORD atMs, int x, int y);
void scheduleButton(DWORD atMs, UINT message);  // WM_LBUTTONDOWN, WM_LBUTTONUP, WM_RBUTTONDOWN, WM_RBUTTONUP
void scheduleClose(DWORD atMs);                 // the window manager's close request: WM_CLOSE
void scheduleQuit(DWORD atMs);                  // a WM_QUIT in the queue
// Once the clock reaches the limit, PeekMessage returns WM_QUIT and timedOut() is true.
void setTimeLimit(DWORD atMs);
bool timedOut();
bool closeDelivered();
bool quitDelivered();

struct MessageBoxRecord {
    DWORD t;  // milliseconds since the start tick
    std::string text;
    std::string caption;
    UINT style;
    bool owned;
};
const std::vector<MessageBoxRecord>& messageBoxes();

struct WindowRecord {
    DWORD t;
    std::string op;  // "create", "show", "minimise", "move"
    int x, y;
};
const std::vector<WindowRecord>& windowEvents();
struct WindowState {
    bool exists;
    bool shown;
    bool minimised;
    int x, y;            // outer top-left on the screen
    int width, height;   // outer size
    std::string title;
    std::string className;
};
WindowState windowState();

// Observers of the message traffic, for traces.
using MessageBoxListener = std::function<void(const MessageBoxRecord&)>;
void setMessageBoxListener(MessageBoxListener listener);
using WindowListener = std::function<void(const WindowRecord&)>;
void setWindowListener(WindowListener listener);

// Makes RegisterClassExW or CreateWindowExW fail.
void failClassRegistration(bool fail);
void failWindowCreation(bool fail);

// Back to a fresh world: clock at startTick 0, no scripted input, no records.
void reset();

// Wide and narrow text: the program's strings are wide; records are UTF-8.
std::string narrow(const wchar_t* text);

}  // namespace headless
