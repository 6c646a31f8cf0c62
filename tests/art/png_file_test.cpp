#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "tools/art/png_file.h"

namespace art {
namespace {

std::string readAll(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

Canvas gradient() {
    Canvas c(37, 11);
    for (int y = 0; y < c.height(); ++y)
        for (int x = 0; x < c.width(); ++x) c.at(x, y) = {x / 36.0f, y / 10.0f, 0.5f, (x + y) / 46.0f};
    return c;
}

TEST(PngFile, SameCanvasGivesSameBytes) {
    const auto dir = std::filesystem::path(::testing::TempDir());
    std::string error;
    ASSERT_TRUE(writePng((dir / "a.png").string(), gradient(), error)) << error;
    ASSERT_TRUE(writePng((dir / "b.png").string(), gradient(), error)) << error;
    const std::string a = readAll(dir / "a.png");
    EXPECT_EQ(a.substr(1, 3), "PNG");
    EXPECT_EQ(a, readAll(dir / "b.png"));
}

TEST(PngFile, UnwritablePathIsReported) {
    std::string error;
    EXPECT_FALSE(writePng("/nonexistent-directory/x.png", gradient(), error));
    EXPECT_NE(error.find("/nonexistent-directory/x.png"), std::string::npos);
}

}  // namespace
}  // namespace art
