// Text from the bitmap font: one glyph quad per visible character, at depth
// 0.9, above the default depth of pictures and below the buttons. The font has
// the codes from space to "Z"; lower case is drawn as capitals, and any other
// byte is skipped without advancing (the blocks break lines at line feeds).
#pragma once

#include "gui/gui_types.h"

#include <string_view>

constexpr int firstGlyphCode = 32;  // space
constexpr int lastGlyphCode = 90;   // "Z"

// Indexed by character code: the fraction of the cell's width trimmed from each
// side of the glyph, so its advance is (1 - 2 d) of the text size. Codes below
// the space have no glyph.
extern const float glyphSideBearing[lastGlyphCode + 1];

// size is the width of a whole cell; a cell is square in pixels.
// One line from (x, y), its first glyph's lower-left corner, clipped at the
// right edge of the screen. Returns the advance drawn and the line height.
GuiExtent drawText(std::string_view text, float x, float y, float size, const GuiColor& colour);
// One line shifted left by offset and shown between x and x + visibleWidth.
// Returns the advance of every glyph processed before the line stopped.
GuiExtent drawTextScrolled(std::string_view text, float x, float y, float size, float visibleWidth, float offset,
                           const GuiColor& colour);
// Lines wrapped at the first space once wider than wrapWidth, moved down by
// offset; lines whose lower edge lies from y down to y - maxHeight are drawn.
GuiExtent drawTextBlock(std::string_view text, float x, float y, float size, float wrapWidth, float maxHeight,
                        float offset, const GuiColor& colour);
// The advance drawText would give the whole text without clipping.
float measureText(std::string_view text, float size);
// Minus the height of the line breaks drawTextBlock makes in the whole text.
float measureTextBlock(std::string_view text, float size, float wrapWidth);
