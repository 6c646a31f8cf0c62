#include "platform/sdl/text.h"

namespace sdlwin {

namespace {

bool isEncodable(char32_t c) { return c <= 0x10FFFF && (c < 0xD800 || c > 0xDFFF); }

void append(std::string& out, char32_t c) {
    if (!isEncodable(c)) c = 0xFFFD;
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

}  // namespace

std::string utf8(const wchar_t* text) {
    std::string out;
    if (!text) return out;
    for (; *text; ++text) append(out, static_cast<char32_t>(*text));
    return out;
}

}  // namespace sdlwin
