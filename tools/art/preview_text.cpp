#include "tools/art/preview_text.h"

#include "tools/art/glyph_metrics.h"

namespace art {

namespace {

constexpr float textDepth = 0.9f;

float advance(unsigned char code, float size) { return size - 2 * size * sideBearing(code); }

void glyph(ScreenComposer& out, const PreviewFont& font, unsigned char code, float gx, float gy, float size) {
    const int i = code - firstGlyph, col = i % 8, row = i / 8;
    const float d = sideBearing(code);
    const TexRect tex{float(col) / 8 + d / 8, float(row) / 8 + 0.008f, float(col + 1) / 8 - d / 8, float(row + 1) / 8};
    out.add({font.texture, tex, gx, gy, advance(code, size), size * windowAspect, font.colour, textDepth});
}

}  // namespace

void previewLine(ScreenComposer& out, const PreviewFont& font, const std::string& text, float x, float y, float size) {
    float pen = 0;
    for (unsigned char raw : text) {
        if (x + pen > 1.0f) break;
        const unsigned char code = toGlyphCode(raw);
        if (!isDrawable(code)) continue;
        glyph(out, font, code, x + pen, y, size);
        pen += advance(code, size);
    }
}

void previewScrolledLine(ScreenComposer& out, const PreviewFont& font, const std::string& text, float x, float y,
                         float size, float visibleWidth, float offset) {
    float pen = 0, rel = -offset;
    for (unsigned char raw : text) {
        if (x + rel > 1.0f) break;
        const unsigned char code = toGlyphCode(raw);
        if (!isDrawable(code)) continue;
        const float w = advance(code, size);
        if ((pen - offset) + w > visibleWidth) break;
        const float gx = x + pen - offset;
        pen += w;
        rel = pen - offset;
        if (rel >= 0) glyph(out, font, code, gx, y, size);
    }
}

void previewBlock(ScreenComposer& out, const PreviewFont& font, const std::string& text, float x, float y, float size,
                  float wrapWidth, float maxHeight, float offset) {
    float px = 0, ly = -offset;
    for (unsigned char raw : text) {
        if (ly < -maxHeight) break;
        const unsigned char code = toGlyphCode(raw);
        const bool lineFeed = code == '\n';
        if (!lineFeed && !isDrawable(code)) continue;
        if (lineFeed || (code == ' ' && px > wrapWidth)) {
            ly -= 2.6f * size;
            px = 0;
            continue;
        }
        if (ly <= 0) glyph(out, font, code, x + px, y + ly, size);
        px += advance(code, size);
    }
}

}  // namespace art
