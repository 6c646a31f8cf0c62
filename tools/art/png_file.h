#pragma once
#include <string>

#include "tools/art/canvas.h"

namespace art {

// Writes the canvas as 8-bit RGBA at the strongest compression. The file carries no
// time stamp or other varying chunk, so the same canvas always gives the same bytes.
// Returns false (with the reason in error) when the file cannot be written.
bool writePng(const std::string& path, const Canvas& canvas, std::string& error);

}  // namespace art
