#include "platform/gl/context.h"

#include "platform/gl/gl_api.h"

namespace glgfx {

std::shared_ptr<Context> Context::create(SDL_Window* window) {
    if (!window) return nullptr;
    SDL_GLContext context = SDL_GL_CreateContext(window);
    if (!context) return nullptr;
    int major = 0, minor = 0;
    SDL_GL_GetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, &major);
    SDL_GL_GetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, &minor);
    if (major * 10 + minor < 33) {
        SDL_GL_DeleteContext(context);
        return nullptr;
    }
    // Core in OpenGL 4.2, and listed as an extension by the drivers that have it.
    const bool textureStorage = SDL_GL_ExtensionSupported("GL_ARB_texture_storage");
    return std::shared_ptr<Context>(new Context(window, context, textureStorage));
}

Context::~Context() { SDL_GL_DeleteContext(context_); }

}  // namespace glgfx
