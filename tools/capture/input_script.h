// The capture tool's input scripts: one event a line, at virtual milliseconds
// since the program started.
//
//   MS down KEY | MS up KEY        KEY: a name (escape, enter, p, left, kp_plus, alt, f10, ...)
//                                  or a virtual-key code in hexadecimal (0x1B)
//   MS move X Y                    client pixels
//   MS lbutton down|up, MS rbutton down|up
//   MS close                       the window manager's close request
//   MS quit                        a WM_QUIT in the queue
//
// "#" starts a comment; blank lines are ignored.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct ScriptEvent {
    enum class Kind { KeyDown, KeyUp, Move, LeftDown, LeftUp, RightDown, RightUp, Close, Quit };
    std::uint32_t at;
    Kind kind;
    unsigned virtualKey;  // KeyDown, KeyUp
    int x, y;             // Move
};

struct ScriptError {
    int line;
    std::string reason;
};

// Parses a whole script; the first malformed line is reported by its number.
std::vector<ScriptEvent> parseScript(std::string_view text, std::optional<ScriptError>& error);

// The virtual-key code of a key name or hexadecimal code, or nothing.
std::optional<unsigned> keyCode(std::string_view name);
