// The state of the headless world, shared by its windowing, message and clock code.
#pragma once

#include "platform/headless.h"

#include <deque>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace headless::detail {

enum class InputKind { Key, MouseMove, Button, Close, Quit, Raw };

struct ScriptedInput {
    DWORD at;
    InputKind kind;
    WPARAM virtualKey;
    bool down;
    int x, y;
    UINT message;  // Button and Raw
    WPARAM wParam;  // Raw
    LPARAM lParam;  // Raw
};

struct RegisteredClass {
    WNDPROC procedure;
    HICON icon;
};

struct World {
    DWORD startTick = 0;
    DWORD tick = 0;
    DWORD frameCost = 1;
    std::vector<ClockListener> clockListeners;

    std::deque<ScriptedInput> script;
    std::deque<MSG> posted;
    std::optional<DWORD> timeLimit;
    bool timedOut = false;
    bool closeDelivered = false;
    bool quitDelivered = false;

    std::map<std::wstring, RegisteredClass> classes;
    WindowState window{};
    WNDPROC procedure = nullptr;
    bool failClassRegistration = false;
    bool failWindowCreation = false;

    // The devices as the user holds them, independent of what the program saw.
    bool keyDown[256] = {};
    bool leftDown = false;
    bool rightDown = false;
    int mouseX = 0;  // client pixels
    int mouseY = 0;

    std::vector<MessageBoxRecord> messageBoxes;
    std::vector<WindowRecord> windowEvents;
    MessageBoxListener messageBoxListener;
    WindowListener windowListener;
};

World& world();
HWND theWindow();
void recordWindow(const char* op);
// Calls the window procedure as Windows does for sent messages.
LRESULT send(UINT message, WPARAM wParam, LPARAM lParam);
// Runs the modal move loop of a caption drag: the window follows the scripted
// mouse until the left button comes up.
void runMoveLoop();

}  // namespace headless::detail
