#include <gtest/gtest.h>

#include <optional>

#include "tools/art/atlas.h"
#include "tools/art/region_check.h"
#include "tools/art/regions.h"

namespace art {
namespace {

class Atlas : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        atlas = new Canvas(atlasSize, atlasSize);
        std::vector<std::string> faults;
        ASSERT_TRUE(makeAtlas(*atlas, faults));
    }
    static void TearDownTestSuite() { delete atlas; }

    static PixelBounds boundsOf(Picture picture) {
        for (const ScreenQuad& q : screenQuads)
            if (q.picture == picture) return pixelBounds(q.tex, atlasSize);
        ADD_FAILURE() << "no rectangle for picture " << int(picture);
        return {};
    }
    static Canvas* atlas;
};
Canvas* Atlas::atlas = nullptr;

TEST_F(Atlas, EveryRectangleHoldsAPicture) {
    for (const ScreenQuad& q : screenQuads) {
        const PixelBounds b = pixelBounds(q.tex, atlasSize);
        float strongest = 0;
        for (int y = b.y0; y < b.y1; ++y)
            for (int x = b.x0; x < b.x1; ++x) strongest = std::max(strongest, atlas->at(x, y).a);
        EXPECT_GT(strongest, 0.25f) << "picture " << int(q.picture);
    }
}

TEST_F(Atlas, NothingIsDrawnOutsideThePictures) {
    const PixelBounds background = boundsOf(Picture::Background);
    const int margin = 6;  // the backdrop's repeated border
    std::vector<bool> claimed(size_t(atlasSize) * atlasSize, false);
    for (const ScreenQuad& q : screenQuads) {
        const PixelBounds b = pixelBounds(q.tex, atlasSize);
        for (int y = b.y0; y < b.y1; ++y)
            for (int x = b.x0; x < b.x1; ++x) claimed[size_t(y) * atlasSize + x] = true;
    }
    int stray = 0;
    for (int y = 0; y < atlasSize; ++y)
        for (int x = 0; x < atlasSize; ++x) {
            const bool nearBackground = x < background.x1 + margin && y < background.y1 + margin;
            if (!claimed[size_t(y) * atlasSize + x] && !nearBackground && atlas->at(x, y).a > 0) ++stray;
        }
    EXPECT_EQ(stray, 0);
}

TEST_F(Atlas, BackdropBorderIsRepeatedIntoTheFreeMargin) {
    const PixelBounds b = boundsOf(Picture::Background);
    for (int y = b.y0; y < b.y1; y += 7) {
        const Rgba edge = atlas->at(b.x1 - 1, y), beyond = atlas->at(b.x1 + 3, y);
        EXPECT_FLOAT_EQ(edge.r, beyond.r);
        EXPECT_FLOAT_EQ(edge.a, beyond.a);
    }
    for (int x = b.x0; x < b.x1; x += 7) {
        const Rgba edge = atlas->at(x, b.y1 - 1), beyond = atlas->at(x, b.y1 + 2);
        EXPECT_FLOAT_EQ(edge.g, beyond.g);
        EXPECT_FLOAT_EQ(beyond.a, 1.0f);
    }
}

// Pictures drawn over others with a transparent background must fade out before their
// rectangle ends, or the screen shows a hard-edged box around the glow.
TEST_F(Atlas, SoftPicturesAreClearAtTheirBorder) {
    for (Picture picture : {Picture::Logo, Picture::Banner, Picture::DriftLight, Picture::Spark, Picture::InfoLabel,
                            Picture::AboutLabel, Picture::ExitLabel}) {
        const PixelBounds b = boundsOf(picture);
        float strongest = 0;
        for (int x = b.x0; x < b.x1; ++x)
            strongest = std::max({strongest, atlas->at(x, b.y0).a, atlas->at(x, b.y1 - 1).a});
        for (int y = b.y0; y < b.y1; ++y)
            strongest = std::max({strongest, atlas->at(b.x0, y).a, atlas->at(b.x1 - 1, y).a});
        EXPECT_LT(strongest, 0.05f) << "picture " << int(picture);
    }
}

// The title frame lies over the running title and the text frame over the about text.
TEST_F(Atlas, FramesAreOpenInTheMiddle) {
    for (Picture picture : {Picture::TitleFrame, Picture::TextFrame}) {
        const PixelBounds b = boundsOf(picture);
        const int cx = (b.x0 + b.x1) / 2, cy = (b.y0 + b.y1) / 2;
        for (int dx : {-40, 0, 40}) EXPECT_LT(atlas->at(cx + dx, cy).a, 0.5f / 255) << "picture " << int(picture);
    }
}

}  // namespace
}  // namespace art
