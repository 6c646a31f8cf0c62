// Compiles and links a GLSL 3.30 core program with glslang, so that the
// software device refuses what the OpenGL device's driver would refuse.
#pragma once

#include <string>

namespace softgfx::detail {

// True when the program compiles and links; otherwise the compiler's log is in *log.
bool programCompiles(const char* vertexSource, const char* fragmentSource, std::string* log);

}  // namespace softgfx::detail
