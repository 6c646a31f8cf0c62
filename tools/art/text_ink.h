#pragma once
// Text set with the project's typeface, as pen strokes in pixel space (y down), so the
// same letters can be rendered into the font sheet and into pictures at any size.
#include <string>
#include <vector>

#include "tools/art/geometry.h"

namespace art {

// Proportions of a glyph within its square cell: the pen, the gap kept inside the side
// trims on each side, and the vertical extent of the capitals.
constexpr float penWidth = 0.10f;
constexpr float sideGap = 0.045f;
constexpr float capTop = 0.24f;
constexpr float baseline = 0.80f;

struct Segment {
    Vec2 a, b;
};

struct TextInk {
    std::vector<Segment> segments;
    float halfWidth = 0;
    Vec2 boundsMin{1e9f, 1e9f}, boundsMax{-1e9f, -1e9f};
};

// One glyph in a cell whose top-left corner is cellOrigin, cellSize pixels square.
// penScale thickens the pen for display lettering.
void addGlyph(TextInk& ink, unsigned char code, Vec2 cellOrigin, float cellSize, float penScale = 1);

// A line of text advancing by each glyph's trimmed width, as the program sets it.
// origin is the top-left corner of the first glyph's visible part.
TextInk setText(const std::string& text, Vec2 origin, float cellSize, float penScale = 1);

// Width the line occupies: the sum of the trimmed advances.
float measureText(const std::string& text, float cellSize);

// Pixel coverage of the ink at p, with an edge softness in pixels.
float inkCoverage(const TextInk& ink, Vec2 p, float softness = 1.0f);

// Distance from p to the nearest pen centre line (for glows around lettering).
float inkDistance(const TextInk& ink, Vec2 p);

}  // namespace art
