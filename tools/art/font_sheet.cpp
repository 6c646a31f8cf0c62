#include "tools/art/font_sheet.h"

#include "tools/art/glyph_metrics.h"
#include "tools/art/text_ink.h"

namespace art {

namespace {

// The soft edge, in texels of the full-size sheet: wide enough that the smaller mip
// levels stay smooth, narrow enough that the letters keep their shape at 12 pixels.
constexpr float edgeSoftness = 1.6f;

void drawCell(Canvas& sheet, unsigned char code) {
    const int index = code - firstGlyph;
    const int cellX = (index % fontCellsPerRow) * fontCellSize;
    const int cellY = (index / fontCellsPerRow) * fontCellSize;
    TextInk ink;
    addGlyph(ink, code, {float(cellX), float(cellY)}, float(fontCellSize));
    for (int y = cellY; y < cellY + fontCellSize; ++y)
        for (int x = cellX; x < cellX + fontCellSize; ++x) {
            const float coverage = inkCoverage(ink, {x + 0.5f, y + 0.5f}, edgeSoftness);
            sheet.at(x, y).a = coverage;
        }
}

}  // namespace

Canvas makeFontSheet() {
    Canvas sheet(fontSheetSize, fontSheetSize);
    // White everywhere, so filtering never mixes a dark colour into the glyph edges.
    for (int y = 0; y < sheet.height(); ++y)
        for (int x = 0; x < sheet.width(); ++x) sheet.at(x, y) = {1, 1, 1, 0};
    for (int code = firstGlyph + 1; code <= lastGlyph; ++code) drawCell(sheet, (unsigned char)code);
    return sheet;
}

}  // namespace art
