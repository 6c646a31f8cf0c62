// The windowing, message, input and time calls of the disk, in the shape the
// program's code was written against. Two backends implement them: SDL2 for the
// program itself and a headless one (virtual clock, scripted input) for tests.
#pragma once

#include <cstdint>

using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using UINT = unsigned int;
using INT = int;
using LONG = std::int32_t;
using BOOL = int;
using WCHAR = wchar_t;
using LPCWSTR = const wchar_t*;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;
using ATOM = std::uint16_t;
using HRESULT = std::int32_t;

#ifndef TRUE
#define TRUE 1
#define FALSE 0
#endif

struct HWND__;
struct HINSTANCE__;
struct HICON__;
struct HCURSOR__;
struct HBRUSH__;
struct HMENU__;
using HWND = HWND__*;
using HINSTANCE = HINSTANCE__*;
using HMODULE = HINSTANCE;
using HICON = HICON__*;
using HCURSOR = HCURSOR__*;
using HBRUSH = HBRUSH__*;
using HMENU = HMENU__*;

using WNDPROC = LRESULT (*)(HWND, UINT, WPARAM, LPARAM);

struct POINT {
    LONG x;
    LONG y;
};

struct RECT {
    LONG left;
    LONG top;
    LONG right;
    LONG bottom;
};

struct MSG {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    DWORD time;
    POINT pt;
};

struct WNDCLASSEXW {
    UINT cbSize;
    UINT style;
    WNDPROC lpfnWndProc;
    int cbClsExtra;
    int cbWndExtra;
    HINSTANCE hInstance;
    HICON hIcon;
    HCURSOR hCursor;
    HBRUSH hbrBackground;
    LPCWSTR lpszMenuName;
    LPCWSTR lpszClassName;
    HICON hIconSm;
};

// Resource identifiers are small integers passed where a name is expected.
#define MAKEINTRESOURCEW(i) (reinterpret_cast<LPCWSTR>(static_cast<std::uintptr_t>(static_cast<WORD>(i))))
#define IS_INTRESOURCE(p) ((reinterpret_cast<std::uintptr_t>(p) >> 16) == 0)
#define IDC_ARROW MAKEINTRESOURCEW(32512)

#define LOWORD(l) (static_cast<WORD>(static_cast<std::uintptr_t>(l) & 0xFFFF))
#define HIWORD(l) (static_cast<WORD>((static_cast<std::uintptr_t>(l) >> 16) & 0xFFFF))
#define MAKELPARAM(lo, hi) (static_cast<LPARAM>(static_cast<std::uint32_t>(static_cast<WORD>(lo)) | (static_cast<std::uint32_t>(static_cast<WORD>(hi)) << 16)))

// Messages.
constexpr UINT WM_NULL = 0x0000;
constexpr UINT WM_CREATE = 0x0001;
constexpr UINT WM_DESTROY = 0x0002;
constexpr UINT WM_MOVE = 0x0003;
constexpr UINT WM_SIZE = 0x0005;
constexpr UINT WM_ACTIVATE = 0x0006;
constexpr UINT WM_PAINT = 0x000F;
constexpr UINT WM_CLOSE = 0x0010;
constexpr UINT WM_QUIT = 0x0012;
constexpr UINT WM_SHOWWINDOW = 0x0018;
constexpr UINT WM_NCHITTEST = 0x0084;
constexpr UINT WM_NCLBUTTONDOWN = 0x00A1;
constexpr UINT WM_KEYDOWN = 0x0100;
constexpr UINT WM_KEYUP = 0x0101;
constexpr UINT WM_CHAR = 0x0102;
constexpr UINT WM_SYSKEYDOWN = 0x0104;
constexpr UINT WM_SYSKEYUP = 0x0105;
constexpr UINT WM_SYSCHAR = 0x0106;
constexpr UINT WM_MOUSEMOVE = 0x0200;
constexpr UINT WM_LBUTTONDOWN = 0x0201;
constexpr UINT WM_LBUTTONUP = 0x0202;
constexpr UINT WM_LBUTTONDBLCLK = 0x0203;
constexpr UINT WM_RBUTTONDOWN = 0x0204;
constexpr UINT WM_RBUTTONUP = 0x0205;
constexpr UINT WM_MBUTTONDOWN = 0x0207;
constexpr UINT WM_MBUTTONUP = 0x0208;
constexpr UINT WM_MOUSEWHEEL = 0x020A;

// Hit-test codes.
constexpr LRESULT HTCLIENT = 1;
constexpr LRESULT HTCAPTION = 2;

// ShowWindow commands.
constexpr int SW_HIDE = 0;
constexpr int SW_SHOWNORMAL = 1;
constexpr int SW_MINIMIZE = 6;
constexpr int SW_RESTORE = 9;

// Message box styles and results.
constexpr UINT MB_OK = 0x00000000;
constexpr UINT MB_ICONERROR = 0x00000010;
constexpr int IDOK = 1;

// PeekMessage flags.
constexpr UINT PM_NOREMOVE = 0x0000;
constexpr UINT PM_REMOVE = 0x0001;

// Class and window styles.
constexpr UINT CS_DBLCLKS = 0x0008;
constexpr UINT CS_CLASSDC = 0x0040;
constexpr DWORD WS_POPUP = 0x80000000;
constexpr DWORD WS_BORDER = 0x00800000;
constexpr DWORD WS_SYSMENU = 0x00080000;
constexpr DWORD WS_POPUPWINDOW = WS_POPUP | WS_BORDER | WS_SYSMENU;

// Mouse key state flags carried in wParam of mouse messages.
constexpr WPARAM MK_LBUTTON = 0x0001;
constexpr WPARAM MK_RBUTTON = 0x0002;
constexpr WPARAM MK_SHIFT = 0x0004;
constexpr WPARAM MK_CONTROL = 0x0008;
constexpr WPARAM MK_MBUTTON = 0x0010;

// Virtual-key codes. Letters and digits are their ASCII capitals ('A' = 0x41, '0' = 0x30).
constexpr WPARAM VK_LBUTTON = 0x01;
constexpr WPARAM VK_RBUTTON = 0x02;
constexpr WPARAM VK_CANCEL = 0x03;
constexpr WPARAM VK_MBUTTON = 0x04;
constexpr WPARAM VK_BACK = 0x08;
constexpr WPARAM VK_TAB = 0x09;
constexpr WPARAM VK_CLEAR = 0x0C;
constexpr WPARAM VK_RETURN = 0x0D;
constexpr WPARAM VK_SHIFT = 0x10;
constexpr WPARAM VK_CONTROL = 0x11;
constexpr WPARAM VK_MENU = 0x12;  // Alt
constexpr WPARAM VK_PAUSE = 0x13;
constexpr WPARAM VK_CAPITAL = 0x14;
constexpr WPARAM VK_ESCAPE = 0x1B;
constexpr WPARAM VK_SPACE = 0x20;
constexpr WPARAM VK_PRIOR = 0x21;
constexpr WPARAM VK_NEXT = 0x22;
constexpr WPARAM VK_END = 0x23;
constexpr WPARAM VK_HOME = 0x24;
constexpr WPARAM VK_LEFT = 0x25;
constexpr WPARAM VK_UP = 0x26;
constexpr WPARAM VK_RIGHT = 0x27;
constexpr WPARAM VK_DOWN = 0x28;
constexpr WPARAM VK_SELECT = 0x29;
constexpr WPARAM VK_PRINT = 0x2A;
constexpr WPARAM VK_EXECUTE = 0x2B;
constexpr WPARAM VK_SNAPSHOT = 0x2C;
constexpr WPARAM VK_INSERT = 0x2D;
constexpr WPARAM VK_DELETE = 0x2E;
constexpr WPARAM VK_HELP = 0x2F;
constexpr WPARAM VK_LWIN = 0x5B;
constexpr WPARAM VK_RWIN = 0x5C;
constexpr WPARAM VK_APPS = 0x5D;
constexpr WPARAM VK_SLEEP = 0x5F;
constexpr WPARAM VK_NUMPAD0 = 0x60;
constexpr WPARAM VK_NUMPAD1 = 0x61;
constexpr WPARAM VK_NUMPAD2 = 0x62;
constexpr WPARAM VK_NUMPAD3 = 0x63;
constexpr WPARAM VK_NUMPAD4 = 0x64;
constexpr WPARAM VK_NUMPAD5 = 0x65;
constexpr WPARAM VK_NUMPAD6 = 0x66;
constexpr WPARAM VK_NUMPAD7 = 0x67;
constexpr WPARAM VK_NUMPAD8 = 0x68;
constexpr WPARAM VK_NUMPAD9 = 0x69;
constexpr WPARAM VK_MULTIPLY = 0x6A;
constexpr WPARAM VK_ADD = 0x6B;       // numeric keypad +
constexpr WPARAM VK_SEPARATOR = 0x6C;
constexpr WPARAM VK_SUBTRACT = 0x6D;  // numeric keypad -
constexpr WPARAM VK_DECIMAL = 0x6E;
constexpr WPARAM VK_DIVIDE = 0x6F;
constexpr WPARAM VK_F1 = 0x70;        // F1..F24 are 0x70..0x87
constexpr WPARAM VK_F10 = 0x79;
constexpr WPARAM VK_F24 = 0x87;
constexpr WPARAM VK_NUMLOCK = 0x90;
constexpr WPARAM VK_SCROLL = 0x91;
constexpr WPARAM VK_LSHIFT = 0xA0;
constexpr WPARAM VK_RSHIFT = 0xA1;
constexpr WPARAM VK_LCONTROL = 0xA2;
constexpr WPARAM VK_RCONTROL = 0xA3;
constexpr WPARAM VK_LMENU = 0xA4;
constexpr WPARAM VK_RMENU = 0xA5;
constexpr WPARAM VK_VOLUME_MUTE = 0xAD;
constexpr WPARAM VK_VOLUME_DOWN = 0xAE;
constexpr WPARAM VK_VOLUME_UP = 0xAF;
constexpr WPARAM VK_MEDIA_NEXT_TRACK = 0xB0;
constexpr WPARAM VK_MEDIA_PREV_TRACK = 0xB1;
constexpr WPARAM VK_MEDIA_STOP = 0xB2;
constexpr WPARAM VK_MEDIA_PLAY_PAUSE = 0xB3;
constexpr WPARAM VK_OEM_1 = 0xBA;       // ;:
constexpr WPARAM VK_OEM_PLUS = 0xBB;    // main keyboard =+
constexpr WPARAM VK_OEM_COMMA = 0xBC;
constexpr WPARAM VK_OEM_MINUS = 0xBD;   // main keyboard -_
constexpr WPARAM VK_OEM_PERIOD = 0xBE;
constexpr WPARAM VK_OEM_2 = 0xBF;       // /?
constexpr WPARAM VK_OEM_3 = 0xC0;       // `~
constexpr WPARAM VK_OEM_4 = 0xDB;       // [{
constexpr WPARAM VK_OEM_5 = 0xDC;       // backslash |
constexpr WPARAM VK_OEM_6 = 0xDD;       // ]}
constexpr WPARAM VK_OEM_7 = 0xDE;       // '"
constexpr WPARAM VK_OEM_102 = 0xE2;     // the extra key of ISO keyboards

// Windowing.
ATOM RegisterClassExW(const WNDCLASSEXW* wc);
BOOL UnregisterClassW(LPCWSTR className, HINSTANCE instance);
HWND CreateWindowExW(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, int x, int y,
                     int width, int height, HWND parent, HMENU menu, HINSTANCE instance, void* param);
LRESULT DefWindowProcW(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
BOOL ShowWindow(HWND window, int command);
BOOL UpdateWindow(HWND window);
HMODULE GetModuleHandleW(LPCWSTR moduleName);
HCURSOR LoadCursorW(HINSTANCE instance, LPCWSTR name);
HICON LoadIconW(HINSTANCE instance, LPCWSTR name);

// Messages.
BOOL PeekMessageW(MSG* msg, HWND window, UINT filterMin, UINT filterMax, UINT removeFlags);
BOOL TranslateMessage(const MSG* msg);
LRESULT DispatchMessageW(const MSG* msg);
LRESULT SendMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void PostQuitMessage(int exitCode);
int MessageBoxW(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type);
BOOL GetCursorPos(POINT* point);

// Time.
DWORD GetTickCount();
void Sleep(DWORD milliseconds);

#define PeekMessage PeekMessageW
#define DispatchMessage DispatchMessageW
#define SendMessage SendMessageW
#define MessageBox MessageBoxW
#define DefWindowProc DefWindowProcW
