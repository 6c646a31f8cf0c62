#pragma once
#include "tools/art/canvas.h"

namespace art {

constexpr int fontSheetSize = 512;
constexpr int fontCellsPerRow = 8;
constexpr int fontCellSize = fontSheetSize / fontCellsPerRow;

// The font texture: white glyphs with a soft edge on transparency, one per cell,
// code c in cell c - 32 counted row by row from the top left.
Canvas makeFontSheet();

}  // namespace art
