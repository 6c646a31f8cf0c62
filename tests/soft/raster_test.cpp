// The drawing rules the software device shares with the OpenGL device, checked
// on small known frames: fill rule, blending, texel centres, filtering and
// the choice of mipmap level.
#include "soft_fixture.h"

#include <png.h>

#include <cmath>
#include <filesystem>

namespace {

using softtest::blue;
using softtest::green;
using softtest::Quad;
using softtest::red;

constexpr float width = 818.0f;
constexpr float height = 318.0f;

// A quad covering pixel columns [left, right) and rows [top, bottom) (rows from the top).
Quad pixelQuad(float left, float top, float right, float bottom, float r, float g, float b, float a) {
    return {2 * left / width - 1, 1 - 2 * bottom / height, 2 * right / width - 1, 1 - 2 * top / height,
            0, 0, 1, 1, r, g, b, a};
}

class Raster : public softtest::SoftDevice {
protected:
    void drawFrame(const std::vector<Quad>& quads, IDirect3DTexture9* texture, D3DCOLOR clear) {
        bindQuads(quads);
        ASSERT_EQ(device->BeginScene(), D3D_OK);
        device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, clear, 1.0f, 0);
        device->SetTexture(0, texture);
        ASSERT_EQ(device->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 0, 0, static_cast<UINT>(quads.size() * 4), 0,
                                               static_cast<UINT>(quads.size() * 2)),
                  D3D_OK);
        device->EndScene();
        ASSERT_EQ(device->Present(nullptr, nullptr, nullptr, nullptr), D3D_OK);
    }

    static D3DCOLOR at(int x, int y) { return softgfx::frontBuffer().pixel(x, y); }
};

TEST_F(Raster, TintedTexelIsBlendedOverTheFrameByItsAlpha) {
    setGuiStates();
    IDirect3DTexture9* texture = makeTexture(4, 4, 0, {0xFF80FF40, 0xFF80FF40, 0xFF80FF40});
    drawFrame({pixelQuad(100, 50, 200, 150, 1.0f, 0.5f, 1.0f, 0.5f)}, texture, 0x00204080);

    // (128, 255, 64) x (1, 0.5, 1) at alpha 0.5 over (32, 64, 128).
    const D3DCOLOR inside = at(150, 100);
    EXPECT_NEAR(red(inside), 80, 1);
    EXPECT_NEAR(green(inside), 96, 1);
    EXPECT_NEAR(blue(inside), 96, 1);
    // The quad covers exactly the pixels whose centres it contains.
    for (auto [x, y] : {std::pair{100, 50}, {199, 149}}) EXPECT_EQ(at(x, y), inside) << x << "," << y;
    for (auto [x, y] : {std::pair{99, 100}, {200, 100}, {150, 49}, {150, 150}}) {
        EXPECT_EQ(at(x, y), 0xFF204080u) << x << "," << y;
    }
}

TEST_F(Raster, SharedEdgesAreDrawnExactlyOnce) {
    setGuiStates();
    IDirect3DTexture9* white = makeTexture(1, 1, 1, {0xFFFFFFFF});
    // Splits at pixel boundaries, inside pixels and on pixel centres; each quad
    // is two triangles sharing a diagonal as well. White at alpha 0.4 over
    // black gives 102 where drawn once, 163 where drawn twice.
    drawFrame({pixelQuad(0, 0, 100.5f, 318, 1, 1, 1, 0.4f), pixelQuad(100.5f, 0, 300, 318, 1, 1, 1, 0.4f),
               pixelQuad(300, 0, 517.25f, 318, 1, 1, 1, 0.4f), pixelQuad(517.25f, 0, 818, 318, 1, 1, 1, 0.4f)},
              white, 0xFF000000);
    int wrong = 0;
    for (int y = 0; y < 318; ++y) {
        for (int x = 0; x < 818; ++x) {
            if (at(x, y) != 0xFF666666u && wrong++ < 5) ADD_FAILURE() << x << "," << y << ": " << std::hex << at(x, y);
        }
    }
    EXPECT_EQ(wrong, 0) << "pixels blended twice or left out";
}

TEST_F(Raster, NoTextureSamplesAsOpaqueBlack) {
    setGuiStates();
    drawFrame({pixelQuad(0, 0, 10, 10, 1, 1, 1, 1)}, nullptr, 0xFFFFFFFF);
    EXPECT_EQ(at(5, 5), 0xFF000000u);
}

// A 2 x 1 texture (red, blue) magnified onto 400 columns: texel centres lie at
// columns 100 and 300.
struct SamplingCase {
    const char* name;
    DWORD filter;
    DWORD address;
    int column;
    int red;
    int blue;
};

class Sampling : public Raster, public ::testing::WithParamInterface<SamplingCase> {};

TEST_P(Sampling, TexelCentresLieAtHalfIntegers) {
    const SamplingCase& c = GetParam();
    setGuiStates();
    device->SetSamplerState(0, D3DSAMP_MAGFILTER, c.filter);
    device->SetSamplerState(0, D3DSAMP_ADDRESSU, c.address);
    IDirect3DTexture9* texture = makeTexture(2, 1, {0xFFFF0000, 0xFF0000FF});
    drawFrame({pixelQuad(0, 0, 400, 10, 1, 1, 1, 1)}, texture, 0xFF000000);
    EXPECT_NEAR(red(at(c.column, 5)), c.red, 1);
    EXPECT_NEAR(blue(at(c.column, 5)), c.blue, 1);
}

INSTANTIATE_TEST_SUITE_P(
    Raster, Sampling,
    ::testing::Values(SamplingCase{"PointLeftHalf", D3DTEXF_POINT, D3DTADDRESS_CLAMP, 199, 255, 0},
                      SamplingCase{"PointRightHalf", D3DTEXF_POINT, D3DTADDRESS_CLAMP, 200, 0, 255},
                      // Column 200's centre is 200.5: 0.5 / 200 of a texel past the midpoint.
                      SamplingCase{"LinearMidpoint", D3DTEXF_LINEAR, D3DTADDRESS_CLAMP, 200, 127, 128},
                      SamplingCase{"LinearTexelCentre", D3DTEXF_LINEAR, D3DTADDRESS_CLAMP, 100, 254, 1},
                      SamplingCase{"LinearClampAtTheEdge", D3DTEXF_LINEAR, D3DTADDRESS_CLAMP, 0, 255, 0},
                      SamplingCase{"LinearWrapAtTheEdge", D3DTEXF_LINEAR, D3DTADDRESS_WRAP, 0, 128, 127}),
    [](const auto& test) { return std::string(test.param.name); });

// A 64 x 64 texture whose level k is filled with red 40 k, drawn as a square
// of the given pixel size: the level of detail is log2(64 / size).
struct LevelCase {
    const char* name;
    float size;
    int red;
};

class MipLevels : public Raster, public ::testing::WithParamInterface<LevelCase> {};

TEST_P(MipLevels, LevelFollowsTheScreenFootprint) {
    setGuiStates();
    std::vector<D3DCOLOR> levels;
    for (D3DCOLOR k = 0; k < 7; ++k) levels.push_back(0xFF000000 | (40 * k) << 16);
    IDirect3DTexture9* texture = makeTexture(64, 64, 0, levels);
    const float size = GetParam().size;
    drawFrame({pixelQuad(200, 100, 200 + size, 100 + size, 1, 1, 1, 1)}, texture, 0xFF000000);
    const int centre = 200 + static_cast<int>(size / 2);
    const int row = 100 + static_cast<int>(size / 2);
    EXPECT_NEAR(red(at(centre, row)), GetParam().red, 1);
}

INSTANTIATE_TEST_SUITE_P(Raster, MipLevels,
                         ::testing::Values(LevelCase{"Magnified", 100, 0}, LevelCase{"FullSize", 64, 0},
                                           LevelCase{"Half", 32, 40}, LevelCase{"Quarter", 16, 80},
                                           LevelCase{"Eighth", 8, 120},
                                           LevelCase{"BetweenTwoLevels", 64 / std::pow(2.0f, 1.5f), 60},
                                           LevelCase{"OnePixel", 1, 240}),
                         [](const auto& test) { return std::string(test.param.name); });

TEST_F(Raster, PresentedFrameIsWrittenAsPng) {
    setGuiStates();
    drawFrame({pixelQuad(0, 0, 409, 318, 1, 1, 1, 1)}, makeTexture(1, 1, 1, {0xFF00FF00}), 0xFF0000FF);
    const auto file = std::filesystem::temp_directory_path() / "soft_device_frame.png";
    ASSERT_TRUE(softgfx::writePng(softgfx::frontBuffer(), file.string()));

    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    ASSERT_TRUE(png_image_begin_read_from_file(&png, file.c_str()));
    png.format = PNG_FORMAT_RGBA;
    std::vector<std::uint8_t> pixels(PNG_IMAGE_SIZE(png));
    ASSERT_TRUE(png_image_finish_read(&png, nullptr, pixels.data(), 0, nullptr));
    EXPECT_EQ(png.width, 818u);
    EXPECT_EQ(png.height, 318u);
    EXPECT_EQ(pixels, softgfx::frontBuffer().rgba);
    std::filesystem::remove(file);

    std::string error;
    EXPECT_FALSE(softgfx::writePng(softgfx::frontBuffer(), "/nonexistent-folder/frame.png", &error));
    EXPECT_FALSE(error.empty());
}

}  // namespace
