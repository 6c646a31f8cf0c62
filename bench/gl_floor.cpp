// velmora-gl-floor: the least a window drawn with OpenGL costs here. It opens a
// borderless 820 x 320 window with the program's context (OpenGL 3.3 core,
// double-buffered, 24-bit depth), clears and presents it at the program's pace
// of one frame per 20 ms, and ends after the given seconds.
// Usage: velmora-gl-floor [SECONDS]
#include <SDL.h>
#include <SDL_opengl.h>

#include <cstdio>
#include <cstdlib>

namespace {

constexpr Uint32 kFrameMs = 20;

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

}  // namespace

int main(int argc, char** argv) {
    const double seconds = argc > 1 ? std::atof(argv[1]) : 20.0;
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        std::fprintf(stderr, "velmora-gl-floor: %s\n", SDL_GetError());
        return 1;
    }
    requestProgramContext();
    SDL_Window* window = SDL_CreateWindow("floor", 10, 100, 820, 320, SDL_WINDOW_OPENGL | SDL_WINDOW_BORDERLESS);
    SDL_GLContext context = window ? SDL_GL_CreateContext(window) : nullptr;
    if (!context) {
        std::fprintf(stderr, "velmora-gl-floor: %s\n", SDL_GetError());
        return 1;
    }
    SDL_GL_SetSwapInterval(1);
    const Uint32 start = SDL_GetTicks();
    const auto durationMs = static_cast<Uint32>(seconds * 1000.0);
    Uint32 frameStart = start;
    while (SDL_GetTicks() - start < durationMs && !quitRequested()) {
        glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
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
