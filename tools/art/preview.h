#pragma once
#include <string>

#include "tools/art/canvas.h"

namespace art {

// Composes the logo, intro, main, about and info screens (and a sheet of text at
// the sizes the screens use) from the atlas and the font, and writes them as PNGs
// into directory. Returns false with the reason in error when a file cannot be written.
bool writePreviews(const Canvas& atlas, const Canvas& font, const std::string& directory, std::string& error);

}  // namespace art
