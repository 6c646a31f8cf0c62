#include <gtest/gtest.h>

#include <vector>

#include "tools/art/region_check.h"
#include "tools/art/regions.h"

namespace art {
namespace {

TEST(AtlasLayout, ShippedTableHoldsTogether) {
    EXPECT_EQ(checkRegions(screenQuads), std::vector<std::string>{});
}

// Rectangles whose edges are not on texel borders (0.366 is shared by the minimise and
// close buttons) must still give each texel to one picture only.
TEST(AtlasLayout, NoTexelBelongsToTwoPictures) {
    std::vector<int> owner(size_t(atlasSize) * atlasSize, -1);
    for (const ScreenQuad& q : screenQuads) {
        const PixelBounds b = pixelBounds(q.tex, atlasSize);
        EXPECT_LT(b.x0, b.x1);
        EXPECT_LT(b.y0, b.y1);
        for (int y = b.y0; y < b.y1; ++y)
            for (int x = b.x0; x < b.x1; ++x) {
                int& o = owner[size_t(y) * atlasSize + x];
                ASSERT_TRUE(o == -1 || o == int(q.picture)) << "texel " << x << "," << y;
                o = int(q.picture);
            }
    }
}

ScreenQuad quad(Picture picture, TexRect tex) { return {Screen::Main, picture, tex, 0, 0, 1, 1, false, 1}; }

struct LayoutCase {
    const char* what;
    std::vector<ScreenQuad> quads;
    size_t faults;
};

TEST(AtlasLayout, FaultsAreFound) {
    const TexRect a{0.1f, 0.1f, 0.2f, 0.2f};
    const std::vector<LayoutCase> cases = {
        {"touching edges are allowed", {quad(Picture::Stop, a), quad(Picture::Play, {0.2f, 0.1f, 0.3f, 0.2f})}, 0},
        {"one picture shared by two screens", {quad(Picture::Background, a), quad(Picture::Background, a)}, 0},
        {"overlap by a sliver", {quad(Picture::Stop, a), quad(Picture::Play, {0.1999f, 0.15f, 0.3f, 0.3f})}, 1},
        {"one inside another", {quad(Picture::Stop, a), quad(Picture::Play, {0.12f, 0.12f, 0.13f, 0.13f})}, 1},
        {"past the right edge", {quad(Picture::Logo, {0.9f, 0, 1.0001f, 0.1f})}, 1},
        {"above the top edge", {quad(Picture::Logo, {0.1f, -0.01f, 0.2f, 0.1f})}, 1},
        {"upside down", {quad(Picture::Logo, {0.1f, 0.2f, 0.2f, 0.1f})}, 1},
        {"one picture cut two ways", {quad(Picture::Spark, a), quad(Picture::Spark, {0.1f, 0.1f, 0.2f, 0.21f})}, 1},
    };
    for (const LayoutCase& c : cases) EXPECT_EQ(checkRegions(c.quads).size(), c.faults) << c.what;
}

}  // namespace
}  // namespace art
