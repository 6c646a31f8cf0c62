// The program's strings are wide (UTF-32 on this platform); the libraries
// below the platform layer, and the records for tests, take UTF-8.
#pragma once

#include <string>

namespace platform {

// Code points that cannot be encoded (surrogates, past U+10FFFF) become U+FFFD.
inline std::string utf8FromWide(const wchar_t* wide) {
    std::string out;
    if (!wide) return out;
    for (; *wide; ++wide) {
        char32_t c = static_cast<char32_t>(*wide);
        if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) c = 0xFFFD;
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

}  // namespace platform
