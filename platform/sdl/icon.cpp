#include "platform/sdl/icon.h"

#include <png.h>

#include <cstring>

namespace sdlwin {

SDL_Surface* decodePng(const unsigned char* bytes, std::size_t size) {
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, bytes, size)) return nullptr;
    image.format = PNG_FORMAT_RGBA;
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, static_cast<int>(image.width),
                                                          static_cast<int>(image.height), 32,
                                                          SDL_PIXELFORMAT_ABGR8888);
    if (!surface) {
        png_image_free(&image);
        return nullptr;
    }
    if (!png_image_finish_read(&image, nullptr, surface->pixels, surface->pitch, nullptr)) {
        SDL_FreeSurface(surface);
        return nullptr;
    }
    return surface;
}

namespace {

SDL_Surface* decodeLargestImage() {
    SDL_Surface* largest = nullptr;
    for (std::size_t i = 0; i < iconImageCount; ++i) {
        SDL_Surface* surface = decodePng(iconImages[i].bytes, iconImages[i].size);
        if (!surface) continue;
        if (largest && largest->w >= surface->w) {
            SDL_FreeSurface(surface);
            continue;
        }
        SDL_FreeSurface(largest);
        largest = surface;
    }
    return largest;
}

}  // namespace

HICON loadProgramIcon() {
    // Like a shared icon on Windows, it is loaded once and lives as long as the program.
    static HICON__ icon{decodeLargestImage()};
    return icon.surface ? &icon : nullptr;
}

}  // namespace sdlwin
