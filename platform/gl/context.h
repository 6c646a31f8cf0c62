// The GL context on the program's window. The device and every object it
// created share it, so that an object released after the device (the font
// texture is, at the end of the run) still finds its context.
#pragma once

#include <SDL2/SDL.h>

#include <memory>

namespace glgfx {

class Context {
public:
    // Null when no OpenGL 3.3 core context can be made on the window.
    static std::shared_ptr<Context> create(SDL_Window* window);
    ~Context();
    Context(const Context&) = delete;
    Context& operator=(const Context&) = delete;

    SDL_Window* window() const { return window_; }
    // Immutable texture storage (ARB_texture_storage): a texture with its whole
    // chain allocated in one call.
    bool hasTextureStorage() const { return textureStorage_; }

private:
    Context(SDL_Window* window, SDL_GLContext context, bool textureStorage)
        : window_(window), context_(context), textureStorage_(textureStorage) {}
    SDL_Window* window_;
    SDL_GLContext context_;
    bool textureStorage_;
};

using SharedContext = std::shared_ptr<Context>;

}  // namespace glgfx
