#include "gui/gui_system.h"
#include "gui/text.h"
#include "tests/gui/gui_world.h"

#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr GuiColor white = {1.0f, 1.0f, 1.0f, 1.0f};
constexpr float aspect = 820.0f / 320.0f;
// "A" and "B" both advance 0.072 at size 0.1.
constexpr float letter = 0.072f;

// The glyphs need a texture to be drawn; a missing font leaves them without one.
class Text : public GuiWorld {
protected:
    void SetUp() override {
        GuiWorld::SetUp();
        if (!GuiSystem::fontTexture) {
            GuiSystem::fontTexture = makeTexture();
            GuiSystem::fontTexture->AddRef();
        }
    }

    std::vector<float> drawnXs() {
        drawFrame();
        std::vector<float> xs;
        for (const DrawnQuad& quad : drawnQuads()) xs.push_back(quad.x);
        return xs;
    }

    std::vector<std::pair<float, float>> drawnCorners() {
        drawFrame();
        std::vector<std::pair<float, float>> corners;
        for (const DrawnQuad& quad : drawnQuads()) corners.emplace_back(quad.x, quad.y);
        return corners;
    }
};

void expectNear(const std::vector<float>& actual, const std::vector<float>& expected) {
    ASSERT_EQ(actual.size(), expected.size());
    for (std::size_t i = 0; i < actual.size(); ++i) EXPECT_NEAR(actual[i], expected[i], 1e-5f) << "glyph " << i;
}

}  // namespace

struct MeasureCase {
    std::string text;
    float size;
    float width;
};

class Measure : public Text, public ::testing::WithParamInterface<MeasureCase> {};

TEST_P(Measure, WidthIsTheSumOfTheDrawableGlyphsAdvances) {
    const MeasureCase& c = GetParam();
    EXPECT_NEAR(measureText(c.text, c.size), c.width, 1e-6f);
    EXPECT_NEAR(drawText(c.text, -1.0f, 0.0f, c.size, white).width, c.width, 1e-6f);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, Measure,
    ::testing::Values(MeasureCase{"AB", 0.1f, 0.144f}, MeasureCase{"ab", 0.1f, 0.144f}, MeasureCase{"", 0.1f, 0.0f},
                      MeasureCase{"W", 0.1f, 0.1f}, MeasureCase{"I", 0.1f, 0.028f},
                      MeasureCase{"a b", 0.05f, 0.092f},
                      MeasureCase{std::string("A[~\t\r\n\x80\xff{", 9) + std::string(1, '\0') + "B", 0.1f, 0.144f}));

TEST_F(Text, GlyphQuadCutsItsCellFromTheFontAndIsSquareInPixels) {
    const GuiColor colour = {0.25f, 0.5f, 0.75f, 0.5f};
    const GuiExtent extent = drawText("a", -0.5f, 0.25f, 0.1f, colour);
    EXPECT_NEAR(extent.width, letter, 1e-6f);
    EXPECT_FLOAT_EQ(extent.height, 0.1f * aspect);

    drawFrame();
    const auto quads = drawnQuads();
    ASSERT_EQ(quads.size(), 1u);
    const DrawnQuad& a = quads[0];
    // "A" is cell 33: column 1 of row 4.
    EXPECT_FLOAT_EQ(a.texLeft, 1.0f / 8 + 0.14f / 8);
    EXPECT_FLOAT_EQ(a.texRight, 2.0f / 8 - 0.14f / 8);
    EXPECT_FLOAT_EQ(a.texTop, 4.0f / 8 + 0.008f);
    EXPECT_FLOAT_EQ(a.texBottom, 5.0f / 8);
    EXPECT_FLOAT_EQ(a.x, -0.5f);
    EXPECT_FLOAT_EQ(a.y, 0.25f);
    EXPECT_NEAR(a.w, letter, 1e-6f);
    EXPECT_NEAR(a.h, 0.1f * aspect, 1e-6f);
    EXPECT_FLOAT_EQ(a.depth, 0.9f);
    EXPECT_FLOAT_EQ(a.b, 0.75f);
    EXPECT_FLOAT_EQ(a.a, 0.5f);
    EXPECT_EQ(drawCalls()[0].texture, GuiSystem::fontTexture);
}

TEST_F(Text, LineStopsOnceTheNextGlyphWouldStartPastTheRightEdge) {
    struct Case {
        float x;
        std::vector<float> xs;
        float width;
    };
    const Case cases[] = {
        {0.90f, {0.90f, 0.972f}, 2 * letter},  // the last glyph drawn may reach past the edge
        {0.95f, {0.95f}, letter},
        {1.01f, {}, 0.0f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.x);
        EXPECT_NEAR(drawText("ABA", c.x, 0.0f, 0.1f, white).width, c.width, 1e-6f);
        expectNear(drawnXs(), c.xs);
    }
}

TEST_F(Text, LineFeedIsSkippedInASingleLine) {
    drawText("A\nB", 0.0f, 0.0f, 0.1f, white);
    expectNear(drawnXs(), {0.0f, letter});
}

TEST_F(Text, ScrolledLineShowsOnlyTheGlyphsWithinItsWindow) {
    struct Case {
        const char* name;
        float offset;
        float visibleWidth;
        std::vector<float> xs;  // relative to the window's left edge x
        float width;
    };
    const Case cases[] = {
        {"stops before the glyph that would pass the right edge", 0.0f, 0.15f, {0.0f, letter}, 2 * letter},
        {"draws a glyph straddling the left edge whole", 0.05f, 0.2f,
         {-0.05f, letter - 0.05f, 2 * letter - 0.05f}, 3 * letter},
        {"hides glyphs wholly left of the window", 0.08f, 0.2f, {letter - 0.08f, 2 * letter - 0.08f}, 3 * letter},
        {"draws nothing once scrolled past the text", 1.0f, 0.2f, {}, 3 * letter},
    };
    const float x = -0.5f;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_NEAR(drawTextScrolled("ABA", x, 0.0f, 0.1f, c.visibleWidth, c.offset, white).width, c.width, 1e-5f);
        std::vector<float> relative;
        for (const float glyphX : drawnXs()) relative.push_back(glyphX - x);
        expectNear(relative, c.xs);
    }
}

TEST_F(Text, ScrolledLineStopsWhenItsWindowStartsPastTheScreen) {
    EXPECT_FLOAT_EQ(drawTextScrolled("ABA", 1.2f, 0.0f, 0.1f, 1.0f, 0.0f, white).width, 0.0f);
    EXPECT_TRUE(drawnXs().empty());
}

struct BlockCase {
    const char* name;
    std::string text;
    float wrapWidth;
    float maxHeight;
    float offset;
    std::vector<std::pair<float, float>> corners;  // lower-left corners relative to (x, y)
    float measured;                                // measureTextBlock of the whole text
};

class Block : public Text, public ::testing::WithParamInterface<BlockCase> {};

TEST_P(Block, LinesBreakWhereTheRulesSayAndOnlyThoseInTheBoxAreDrawn) {
    const BlockCase& c = GetParam();
    const float x = -0.8f;
    const float y = 0.6f;
    const GuiExtent extent = drawTextBlock(c.text, x, y, 0.1f, c.wrapWidth, c.maxHeight, c.offset, white);
    EXPECT_FLOAT_EQ(extent.width, c.wrapWidth);
    EXPECT_FLOAT_EQ(extent.height, c.maxHeight);
    const auto corners = drawnCorners();
    ASSERT_EQ(corners.size(), c.corners.size());
    for (std::size_t i = 0; i < corners.size(); ++i) {
        EXPECT_NEAR(corners[i].first - x, c.corners[i].first, 1e-5f) << "glyph " << i;
        EXPECT_NEAR(corners[i].second - y, c.corners[i].second, 1e-5f) << "glyph " << i;
    }
    EXPECT_NEAR(measureTextBlock(c.text, 0.1f, c.wrapWidth), c.measured, 1e-5f);
}

// Computed as the layout computes it, so that lines meet exactly.
constexpr float line = 2.6f * 0.1f;
constexpr float spaceAdvance = 0.04f;

INSTANTIATE_TEST_SUITE_P(
    Blocks, Block,
    ::testing::Values(
        BlockCase{"CarriageReturnLineFeedIsOneBreak", "A\r\nB", 1.0f, 1.0f, 0.0f, {{0, 0}, {0, -line}}, -line},
        BlockCase{"TextWithoutSpacesNeverWraps", "ABABAB", 0.1f, 1.0f, 0.0f,
                  {{0, 0}, {letter, 0}, {2 * letter, 0}, {3 * letter, 0}, {4 * letter, 0}, {5 * letter, 0}}, 0.0f},
        BlockCase{"WrapsAtTheFirstSpaceOnceWider", "A B BA B", 0.1f, 1.0f, 0.0f,
                  {{0, 0}, {letter, 0}, {letter + spaceAdvance, 0}, {0, -line}, {letter, -line}, {0, -2 * line}},
                  -2 * line},
        BlockCase{"FirstLineBelowTheBoxDrawsNothing", "AB\nC", 1.0f, 0.55f, 1.0f, {}, -line},
        BlockCase{"LinesAboveTheTopAreLaidOutButNotDrawn", "A\nB\nC", 1.0f, 1.0f, -line,
                  {{0, 0}, {0, -line}}, -2 * line},
        BlockCase{"LayoutStopsBelowTheBox", "A\nB\nC\nD", 1.0f, 0.3f, 0.0f, {{0, 0}, {0, -line}}, -3 * line},
        BlockCase{"EmptyTextDrawsNothing", "", 1.0f, 1.0f, 0.0f, {}, 0.0f}),
    [](const auto& testCase) { return std::string(testCase.param.name); });
