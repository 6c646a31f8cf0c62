#include "gui/text.h"

#include "gui/gui_renderer.h"
#include "gui/gui_system.h"
#include "gui/screen_ratio.h"

// clang-format off
const float glyphSideBearing[lastGlyphCode + 1] = {
    0.00f, 0.00f, 0.00f, 0.00f, 0.00f, 0.00f, 0.00f, 0.00f,
    0.00f, 0.00f, 0.00f, 0.00f, 0.00f, 0.00f, 0.00f, 0.00f,
    0.00f, 0.00f, 0.00f, 0.00f, 0.00f, 0.00f, 0.00f, 0.00f,
    0.00f, 0.00f, 0.00f, 0.00f, 0.00f, 0.00f, 0.00f, 0.00f,
    //  space  !     "      #      $      %      &      '
    0.30f, 0.35f, 0.30f, 0.10f, 0.24f, 0.04f, 0.16f, 0.36f,
    //  (      )     *      +      ,      -      .      /
    0.28f, 0.28f, 0.28f, 0.20f, 0.35f, 0.20f, 0.38f, 0.26f,
    //  0      1     2      3      4      5      6      7
    0.20f, 0.26f, 0.20f, 0.20f, 0.22f, 0.18f, 0.20f, 0.23f,
    //  8      9     :      ;      <      =      >      ?
    0.22f, 0.22f, 0.30f, 0.30f, 0.20f, 0.20f, 0.20f, 0.18f,
    //  @      A     B      C      D      E      F      G
    0.02f, 0.14f, 0.14f, 0.12f, 0.16f, 0.18f, 0.20f, 0.14f,
    //  H      I     J      K      L      M      N      O
    0.14f, 0.36f, 0.22f, 0.16f, 0.20f, 0.08f, 0.17f, 0.10f,
    //  P      Q     R      S      T      U      V      W
    0.19f, 0.12f, 0.16f, 0.17f, 0.16f, 0.16f, 0.16f, 0.00f,
    //  X      Y     Z
    0.17f, 0.20f, 0.19f,
};
// clang-format on

namespace {

constexpr int cellsPerRow = 8;
constexpr float textDepth = 0.9f;
// The top of each cell is never shown, so that a neighbour's bleed stays out.
constexpr float cellTopTrim = 0.008f;
constexpr float lineSpacing = 2.6f;
constexpr unsigned char lineFeed = 10;
constexpr unsigned char space = 32;

unsigned char upperCased(char byte) {
    const auto code = static_cast<unsigned char>(byte);
    return code >= 'a' && code <= 'z' ? static_cast<unsigned char>(code - 'a' + 'A') : code;
}

bool drawable(unsigned char code) { return code >= firstGlyphCode && code <= lastGlyphCode; }

float advance(unsigned char code, float size) { return size - 2.0f * size * glyphSideBearing[code]; }

float glyphHeight(float size) { return size * screenAspect(); }

void submitGlyph(unsigned char code, float gx, float gy, float size, const GuiColor& colour) {
    const float d = glyphSideBearing[code];
    const int cell = code - firstGlyphCode;
    const auto col = static_cast<float>(cell % cellsPerRow);
    const auto row = static_cast<float>(cell / cellsPerRow);
    const float cells = cellsPerRow;
    drawQuadDepth(GuiSystem::fontTexture, gx, gy, advance(code, size), glyphHeight(size),
                  col / cells + d / cells, row / cells + cellTopTrim, (col + 1.0f) / cells - d / cells,
                  (row + 1.0f) / cells, colour.r, colour.g, colour.b, colour.a, textDepth);
}

bool breaksLine(unsigned char code, float pen, float wrapWidth) {
    return code == lineFeed || (code == space && pen > wrapWidth);
}

}  // namespace

GuiExtent drawText(std::string_view text, float x, float y, float size, const GuiColor& colour) {
    float pen = 0.0f;
    for (const char byte : text) {
        if (x + pen > 1.0f) break;
        const unsigned char code = upperCased(byte);
        if (!drawable(code)) continue;
        submitGlyph(code, x + pen, y, size, colour);
        pen += advance(code, size);
    }
    return {pen, glyphHeight(size)};
}

GuiExtent drawTextScrolled(std::string_view text, float x, float y, float size, float visibleWidth, float offset,
                           const GuiColor& colour) {
    float pen = 0.0f;
    float rel = -offset;
    for (const char byte : text) {
        if (x + rel > 1.0f) break;
        const unsigned char code = upperCased(byte);
        if (!drawable(code)) continue;
        const float w = advance(code, size);
        const float glyphX = x + pen - offset;
        if ((pen - offset) + w > visibleWidth) break;
        pen += w;
        rel = pen - offset;
        // A glyph straddling the left edge is drawn whole.
        if (rel >= 0.0f) submitGlyph(code, glyphX, y, size, colour);
    }
    return {pen, glyphHeight(size)};
}

GuiExtent drawTextBlock(std::string_view text, float x, float y, float size, float wrapWidth, float maxHeight,
                        float offset, const GuiColor& colour) {
    float px = 0.0f;
    float ly = -offset;
    for (const char byte : text) {
        if (ly < -maxHeight) break;
        const unsigned char code = upperCased(byte);
        if (!drawable(code) && code != lineFeed) continue;
        if (breaksLine(code, px, wrapWidth)) {
            ly -= lineSpacing * size;
            px = 0.0f;
            continue;
        }
        // Lines above the box are laid out but not drawn.
        if (ly <= 0.0f) submitGlyph(code, x + px, y + ly, size, colour);
        px += advance(code, size);
    }
    return {wrapWidth, maxHeight};
}

float measureText(std::string_view text, float size) {
    float width = 0.0f;
    for (const char byte : text) {
        const unsigned char code = upperCased(byte);
        if (drawable(code)) width += advance(code, size);
    }
    return width;
}

float measureTextBlock(std::string_view text, float size, float wrapWidth) {
    float px = 0.0f;
    float total = 0.0f;
    for (const char byte : text) {
        const unsigned char code = upperCased(byte);
        if (!drawable(code) && code != lineFeed) continue;
        if (breaksLine(code, px, wrapWidth)) {
            total -= lineSpacing * size;
            px = 0.0f;
            continue;
        }
        px += advance(code, size);
    }
    return total;
}
