// Compiling and linking an effect pass's GLSL 3.30 program.
#pragma once

#include "platform/gl/gl_api.h"

#include <string>

namespace glgfx {

struct BuiltProgram {
    GLuint program = 0;  // 0 when it failed
    std::string log;     // why it failed
};

// The program's sampler "texture_0" reads texture unit 0, where SetTexture(0, ...) binds.
BuiltProgram buildProgram(const char* vertexSource, const char* pixelSource);

}  // namespace glgfx
