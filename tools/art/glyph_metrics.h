#pragma once
// Side trims of the font: the fraction of a cell's width cut from each side of a glyph.
// The program sets text with the same table, so the glyph artwork must stay within
// d .. 1 - d of its cell.
#include <array>

namespace art {

constexpr int firstGlyph = 32;  // space
constexpr int lastGlyph = 90;   // Z
constexpr int glyphCount = lastGlyph - firstGlyph + 1;

constexpr std::array<float, glyphCount> glyphSideBearing = {
    0.30f, 0.35f, 0.30f, 0.10f, 0.24f, 0.04f, 0.16f, 0.36f,  // space ! " # $ % & '
    0.28f, 0.28f, 0.28f, 0.20f, 0.35f, 0.20f, 0.38f, 0.26f,  // ( ) * + , - . /
    0.20f, 0.26f, 0.20f, 0.20f, 0.22f, 0.18f, 0.20f, 0.23f,  // 0 .. 7
    0.22f, 0.22f, 0.30f, 0.30f, 0.20f, 0.20f, 0.20f, 0.18f,  // 8 9 : ; < = > ?
    0.02f, 0.14f, 0.14f, 0.12f, 0.16f, 0.18f, 0.20f, 0.14f,  // @ A .. G
    0.14f, 0.36f, 0.22f, 0.16f, 0.20f, 0.08f, 0.17f, 0.10f,  // H .. O
    0.19f, 0.12f, 0.16f, 0.17f, 0.16f, 0.16f, 0.16f, 0.00f,  // P .. W
    0.17f, 0.20f, 0.19f,                                     // X Y Z
};

// The byte as the text operations see it: lower case is drawn as capitals, and only
// codes from space to Z have a glyph.
inline bool isDrawable(unsigned char c) { return c >= firstGlyph && c <= lastGlyph; }
inline unsigned char toGlyphCode(unsigned char c) { return (c >= 'a' && c <= 'z') ? c - 32 : c; }

inline float sideBearing(unsigned char code) { return glyphSideBearing[code - firstGlyph]; }

}  // namespace art
