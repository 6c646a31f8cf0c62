#include "platform/gl/program_builder.h"

#include <vector>

namespace glgfx {

namespace {

std::string shaderLog(GLuint shader) {
    GLint length = 0;
    glGetShaderiv(shader, GL_INFO_LOG_LENGTH, &length);
    std::vector<char> text(static_cast<std::size_t>(length > 0 ? length : 1), '\0');
    glGetShaderInfoLog(shader, static_cast<GLsizei>(text.size()), nullptr, text.data());
    return text.data();
}

std::string programLog(GLuint program) {
    GLint length = 0;
    glGetProgramiv(program, GL_INFO_LOG_LENGTH, &length);
    std::vector<char> text(static_cast<std::size_t>(length > 0 ? length : 1), '\0');
    glGetProgramInfoLog(program, static_cast<GLsizei>(text.size()), nullptr, text.data());
    return text.data();
}

GLuint compile(GLenum stage, const char* source, const char* stageName, std::string& log) {
    GLuint shader = glCreateShader(stage);
    glShaderSource(shader, 1, &source, nullptr);
    glCompileShader(shader);
    GLint compiled = GL_FALSE;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &compiled);
    if (compiled) return shader;
    log = std::string(stageName) + " program does not compile: " + shaderLog(shader);
    glDeleteShader(shader);
    return 0;
}

}  // namespace

BuiltProgram buildProgram(const char* vertexSource, const char* pixelSource) {
    BuiltProgram built;
    if (!vertexSource || !pixelSource) {
        built.log = "a program needs both a vertex and a pixel source";
        return built;
    }
    GLuint vertex = compile(GL_VERTEX_SHADER, vertexSource, "vertex", built.log);
    if (!vertex) return built;
    GLuint pixel = compile(GL_FRAGMENT_SHADER, pixelSource, "pixel", built.log);
    if (!pixel) {
        glDeleteShader(vertex);
        return built;
    }
    GLuint program = glCreateProgram();
    glAttachShader(program, vertex);
    glAttachShader(program, pixel);
    glLinkProgram(program);
    glDeleteShader(vertex);
    glDeleteShader(pixel);
    GLint linked = GL_FALSE;
    glGetProgramiv(program, GL_LINK_STATUS, &linked);
    if (!linked) {
        built.log = "program does not link: " + programLog(program);
        glDeleteProgram(program);
        return built;
    }
    GLint previous = 0;
    glGetIntegerv(GL_CURRENT_PROGRAM, &previous);
    glUseProgram(program);
    const GLint sampler = glGetUniformLocation(program, "texture_0");
    if (sampler >= 0) glUniform1i(sampler, 0);
    glUseProgram(static_cast<GLuint>(previous));
    built.program = program;
    return built;
}

}  // namespace glgfx
