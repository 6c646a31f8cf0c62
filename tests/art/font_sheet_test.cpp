#include <gtest/gtest.h>

#include "tools/art/font_sheet.h"
#include "tools/art/glyph_metrics.h"

namespace art {
namespace {

struct Ink {
    int left = fontCellSize, right = -1, top = fontCellSize;
    bool any() const { return right >= 0; }
};

// Columns and rows (within the cell) that carry any visible alpha.
Ink inkOfCell(const Canvas& sheet, int index) {
    Ink ink;
    const int x0 = (index % fontCellsPerRow) * fontCellSize, y0 = (index / fontCellsPerRow) * fontCellSize;
    for (int y = 0; y < fontCellSize; ++y)
        for (int x = 0; x < fontCellSize; ++x)
            if (sheet.at(x0 + x, y0 + y).a > 1.0f / 255) {
                ink.left = std::min(ink.left, x);
                ink.right = std::max(ink.right, x);
                ink.top = std::min(ink.top, y);
            }
    return ink;
}

class FontSheet : public ::testing::Test {
protected:
    static void SetUpTestSuite() { sheet = new Canvas(makeFontSheet()); }
    static void TearDownTestSuite() { delete sheet; }
    static Canvas* sheet;
};
Canvas* FontSheet::sheet = nullptr;

TEST_F(FontSheet, EveryGlyphStaysInsideItsTrimsAndBelowTheHiddenTop) {
    ASSERT_EQ(sheet->width(), 512);
    ASSERT_EQ(sheet->height(), 512);
    const int hiddenTop = int(0.008f * 512) + 1;
    for (int code = firstGlyph; code <= lastGlyph; ++code) {
        const Ink ink = inkOfCell(*sheet, code - firstGlyph);
        const float d = sideBearing((unsigned char)code);
        SCOPED_TRACE(std::string("glyph ") + char(code));
        ASSERT_EQ(ink.any(), code != ' ');
        if (!ink.any()) continue;
        EXPECT_GE(ink.left, int(d * fontCellSize));
        EXPECT_LT(ink.right, int(std::ceil((1 - d) * fontCellSize)));
        EXPECT_GE(ink.top, hiddenTop);
    }
}

// Even spacing needs each glyph to use the width its trims leave, not sit small in it.
TEST_F(FontSheet, WideGlyphsFillTheirVisibleWidth) {
    for (int code = firstGlyph + 1; code <= lastGlyph; ++code) {
        const float visible = 1 - 2 * sideBearing((unsigned char)code);
        if (visible < 0.5f) continue;
        const Ink ink = inkOfCell(*sheet, code - firstGlyph);
        EXPECT_GE(float(ink.right - ink.left + 1), 0.75f * visible * fontCellSize) << char(code);
    }
}

TEST_F(FontSheet, UnusedCellsAreEmpty) {
    for (int index = lastGlyph - firstGlyph + 1; index < 64; ++index) EXPECT_FALSE(inkOfCell(*sheet, index).any()) << index;
}

}  // namespace
}  // namespace art
