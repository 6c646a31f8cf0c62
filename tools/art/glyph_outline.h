#pragma once
// The project's typeface as centre lines of round-ended pen strokes. Each glyph is
// drawn in a box 4 units wide and 6 units tall (baseline y = 0, capital height
// y = 6, y up); the box is stretched to the glyph's own width when it is set, so a
// design fills whatever width its side trims leave.
#include <vector>

#include "tools/art/geometry.h"

namespace art {

constexpr float glyphBoxWidth = 4.0f;
constexpr float glyphBoxHeight = 6.0f;

using Polyline = std::vector<Vec2>;

// The strokes of a drawable glyph code (32..90); empty for the space.
const std::vector<Polyline>& glyphStrokes(unsigned char code);

}  // namespace art
