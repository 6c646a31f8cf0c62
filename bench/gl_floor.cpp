// velmora-gl-floor: the least a window drawn with OpenGL costs here. It opens a
// borderless 820 x 320 window with the program's context (OpenGL 3.3 core,
// double-buffered, 24-bit depth), clears and presents it at the program's pace
// of one frame per 20 ms, and ends after the given seconds.
//
// With --layers L it also fills L windows' worth of pixels each frame the way
// the program's quads fill them: a 1,024 x 1,024 mipmapped texture (the size of
// the disk's atlas; a 512 x 512 one, the font's, is held beside it), sampled
// trilinearly at one texel per pixel, tinted and alpha-blended over the frame.
// That is the floor of a screen whose quads cover L windows in all.
// Usage: velmora-gl-floor [SECONDS] [--layers L]
#define GL_GLEXT_PROTOTYPES 1
#include <GL/glcorearb.h>
#include <SDL.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

constexpr Uint32 kFrameMs = 20;
constexpr int kWidth = 820;
constexpr int kHeight = 320;
constexpr int kAtlasSide = 1024;
constexpr int kFontSide = 512;

void requestProgramContext() {
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
}

bool quitRequested() {
    SDL_Event event;
    while (SDL_PollEvent(&event))
        if (event.type == SDL_QUIT) return true;
    return false;
}

const char* const kVertexShader = R"(#version 330 core
layout(location = 0) in vec2 position;
layout(location = 1) in vec2 texcoord;
out vec2 uv;
void main() { uv = texcoord; gl_Position = vec4(position, 0.0, 1.0); }
)";

const char* const kPixelShader = R"(#version 330 core
uniform sampler2D picture;
uniform vec4 tint;
in vec2 uv;
out vec4 fragment;
void main() { fragment = texture(picture, uv) * tint; }
)";

GLuint compiled(GLenum kind, const char* source) {
    const GLuint shader = glCreateShader(kind);
    glShaderSource(shader, 1, &source, nullptr);
    glCompileShader(shader);
    return shader;
}

GLuint linkedProgram() {
    const GLuint program = glCreateProgram();
    glAttachShader(program, compiled(GL_VERTEX_SHADER, kVertexShader));
    glAttachShader(program, compiled(GL_FRAGMENT_SHADER, kPixelShader));
    glLinkProgram(program);
    GLint linked = 0;
    glGetProgramiv(program, GL_LINK_STATUS, &linked);
    return linked ? program : 0;
}

// Soft bands of colour with alpha from clear to opaque, so that blending does real work.
GLuint mipmappedTexture(int side) {
    std::vector<unsigned char> texels(std::size_t(side) * side * 4);
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) {
            unsigned char* t = &texels[(std::size_t(y) * side + x) * 4];
            t[0] = static_cast<unsigned char>(x);
            t[1] = static_cast<unsigned char>(y);
            t[2] = static_cast<unsigned char>(x ^ y);
            t[3] = static_cast<unsigned char>(128 + 127 * std::sin(x * 0.05) * std::cos(y * 0.07));
        }
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, side, side, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
    glGenerateMipmap(GL_TEXTURE_2D);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    return texture;
}

// Whole-window quads, and one that covers the fraction left over (its top part).
std::vector<float> layerTriangles(double layers) {
    const float u = float(kWidth) / kAtlasSide;
    const float v = float(kHeight) / kAtlasSide;
    std::vector<float> vertices;
    for (double left = layers; left > 0; left -= 1) {
        const float part = static_cast<float>(left < 1 ? left : 1);
        const float bottom = 1.0f - 2.0f * part;
        const float corners[6][4] = {{-1, 1, 0, 0},      {1, 1, u, 0},           {1, bottom, u, v * part},
                                     {-1, 1, 0, 0},      {1, bottom, u, v * part}, {-1, bottom, 0, v * part}};
        for (const auto& corner : corners) vertices.insert(vertices.end(), corner, corner + 4);
    }
    return vertices;
}

struct LayerDrawing {
    GLuint program = 0;
    GLuint atlas = 0;
    GLuint font = 0;
    GLuint vertexArray = 0;
    GLsizei vertexCount = 0;
};

bool prepareLayers(double layers, LayerDrawing& drawing) {
    drawing.program = linkedProgram();
    if (!drawing.program) return false;
    drawing.font = mipmappedTexture(kFontSide);
    drawing.atlas = mipmappedTexture(kAtlasSide);
    const std::vector<float> vertices = layerTriangles(layers);
    drawing.vertexCount = static_cast<GLsizei>(vertices.size() / 4);
    GLuint buffer = 0;
    glGenVertexArrays(1, &drawing.vertexArray);
    glBindVertexArray(drawing.vertexArray);
    glGenBuffers(1, &buffer);
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(vertices.size() * sizeof(float)), vertices.data(),
                 GL_STATIC_DRAW);
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(0, 2, GL_FLOAT, GL_FALSE, 4 * sizeof(float), nullptr);
    glEnableVertexAttribArray(1);
    glVertexAttribPointer(1, 2, GL_FLOAT, GL_FALSE, 4 * sizeof(float), reinterpret_cast<void*>(2 * sizeof(float)));
    glUseProgram(drawing.program);
    glUniform4f(glGetUniformLocation(drawing.program, "tint"), 1.0f, 1.0f, 1.0f, 0.9f);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDisable(GL_DEPTH_TEST);
    return true;
}

void drawLayers(const LayerDrawing& drawing) {
    if (drawing.vertexCount == 0) return;
    glBindTexture(GL_TEXTURE_2D, drawing.atlas);
    glDrawArrays(GL_TRIANGLES, 0, drawing.vertexCount);
}

}  // namespace

int main(int argc, char** argv) {
    double seconds = 20.0;
    double layers = 0.0;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--layers") == 0 && i + 1 < argc)
            layers = std::atof(argv[++i]);
        else
            seconds = std::atof(argv[i]);
    }
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        std::fprintf(stderr, "velmora-gl-floor: %s\n", SDL_GetError());
        return 1;
    }
    requestProgramContext();
    SDL_Window* window =
        SDL_CreateWindow("floor", 10, 100, kWidth, kHeight, SDL_WINDOW_OPENGL | SDL_WINDOW_BORDERLESS);
    SDL_GLContext context = window ? SDL_GL_CreateContext(window) : nullptr;
    if (!context) {
        std::fprintf(stderr, "velmora-gl-floor: %s\n", SDL_GetError());
        return 1;
    }
    SDL_GL_SetSwapInterval(1);
    LayerDrawing drawing;
    if (layers > 0 && !prepareLayers(layers, drawing)) {
        std::fprintf(stderr, "velmora-gl-floor: the layers' shaders did not link\n");
        return 1;
    }
    const Uint32 start = SDL_GetTicks();
    const auto durationMs = static_cast<Uint32>(seconds * 1000.0);
    Uint32 frameStart = start;
    while (SDL_GetTicks() - start < durationMs && !quitRequested()) {
        glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        drawLayers(drawing);
        SDL_GL_SwapWindow(window);
        const Uint32 spent = SDL_GetTicks() - frameStart;
        if (spent < kFrameMs) SDL_Delay(kFrameMs - spent);
        frameStart = SDL_GetTicks();
    }
    SDL_GL_DeleteContext(context);
    SDL_DestroyWindow(window);
    SDL_Quit();
    return 0;
}
