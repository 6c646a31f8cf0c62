// The program's icon, resource 1: the PNG images embedded at build time,
// decoded once into an SDL surface that becomes the window's icon.
#pragma once

#include "platform/win32.h"

#include <SDL2/SDL.h>

#include <cstddef>

struct HICON__ {
    SDL_Surface* surface;
};

namespace sdlwin {

struct EmbeddedImage {
    const unsigned char* bytes;
    std::size_t size;
};

// Generated from res/icon-*.png by the build (empty when there are none).
extern const EmbeddedImage iconImages[];
extern const std::size_t iconImageCount;

// The largest image of the icon resource, or null when it has none that decodes.
HICON loadProgramIcon();

// Decodes a PNG held in memory into a 32-bit RGBA surface; null if it is not a valid PNG.
SDL_Surface* decodePng(const unsigned char* bytes, std::size_t size);

}  // namespace sdlwin
