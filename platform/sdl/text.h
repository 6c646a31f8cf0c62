// The program's strings are wide (UTF-32 on this platform); SDL takes UTF-8.
#pragma once

#include <string>

namespace sdlwin {

std::string utf8(const wchar_t* text);

}  // namespace sdlwin
