// Loading PNG textures: the mipmap chain, alpha-aware downsampling, and clean
// failure on every kind of bad file.
#include "loader_fixture.h"

#include <cstring>

namespace {

using d3dxtest::Loader;

class TextureLoader : public Loader {
protected:
    // Level texels as 0xAARRGGBB.
    static std::vector<D3DCOLOR> levelTexels(IDirect3DTexture9* texture, UINT level) {
        D3DSURFACE_DESC desc{};
        texture->GetLevelDesc(level, &desc);
        D3DLOCKED_RECT locked{};
        EXPECT_EQ(texture->LockRect(level, &locked, nullptr, D3DLOCK_READONLY), D3D_OK);
        std::vector<D3DCOLOR> texels(std::size_t{desc.Width} * desc.Height);
        for (UINT y = 0; y < desc.Height; ++y) {
            std::memcpy(texels.data() + y * desc.Width, static_cast<std::uint8_t*>(locked.pBits) + y * locked.Pitch,
                        desc.Width * 4);
        }
        texture->UnlockRect(level);
        return texels;
    }
};

TEST_F(TextureLoader, PngBecomesAManagedTextureWithTheFullChain) {
    // 4 x 2: a red row over a blue row, all opaque.
    std::vector<std::uint8_t> rgba;
    for (int i = 0; i < 4; ++i) rgba.insert(rgba.end(), {255, 0, 0, 255});
    for (int i = 0; i < 4; ++i) rgba.insert(rgba.end(), {0, 0, 255, 255});
    writeFile("pictures/stripes.png", pngBytes(4, 2, rgba));

    IDirect3DTexture9* texture = nullptr;
    ASSERT_EQ(D3DXCreateTextureFromFileW(device, L"pictures\\stripes.png", &texture), D3D_OK);
    EXPECT_STREQ(D3DXGetLastError(), "");
    ASSERT_EQ(texture->GetLevelCount(), 3u);  // 4x2, 2x1, 1x1
    D3DSURFACE_DESC desc{};
    texture->GetLevelDesc(0, &desc);
    EXPECT_EQ(desc.Pool, D3DPOOL_MANAGED);
    EXPECT_EQ(desc.Format, D3DFMT_A8R8G8B8);

    EXPECT_EQ(levelTexels(texture, 0)[0], 0xFFFF0000u);
    EXPECT_EQ(levelTexels(texture, 0)[4], 0xFF0000FFu);
    EXPECT_EQ(levelTexels(texture, 1), (std::vector<D3DCOLOR>{0xFF800080, 0xFF800080}));
    EXPECT_EQ(levelTexels(texture, 2), (std::vector<D3DCOLOR>{0xFF800080}));
    const auto creations = softgfx::callsOf(softgfx::Op::CreateTexture);
    ASSERT_EQ(creations.size(), 1u);
    EXPECT_EQ(creations[0].pool, D3DPOOL_MANAGED);
    texture->Release();
}

struct HalvingCase {
    const char* name;
    unsigned width, height;
    std::vector<std::uint8_t> rgba;
    D3DCOLOR expected;  // the one texel of level 1
};

class Halving : public TextureLoader, public ::testing::WithParamInterface<HalvingCase> {};

// Colours are weighted by alpha, so that transparent texels, whatever colour they
// hold, do not darken what is drawn; 2 x 2 blocks and odd sizes agree on it.
TEST_P(Halving, WeighsColoursByAlphaAndRoundsToNearest) {
    const HalvingCase& c = GetParam();
    writeFile("level.png", pngBytes(c.width, c.height, c.rgba));
    IDirect3DTexture9* texture = nullptr;
    ASSERT_EQ(D3DXCreateTextureFromFileW(device, L"level.png", &texture), D3D_OK);
    EXPECT_EQ(levelTexels(texture, 1), (std::vector<D3DCOLOR>{c.expected}));
    texture->Release();
}

INSTANTIATE_TEST_SUITE_P(
    TextureLoader, Halving,
    ::testing::Values(
        // Opaque white beside fully transparent black: white at half alpha, not grey.
        HalvingCase{"WhiteBesideTransparentRow", 2, 1, {255, 255, 255, 255, 0, 0, 0, 0}, 0x80FFFFFF},
        HalvingCase{"WhiteAmongTransparentBlock", 2, 2, {255, 255, 255, 255, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
                    0x40FFFFFF},
        // Red at 255 and blue at 85: red 191.25, blue 63.75, alpha 85.
        HalvingCase{"TwoAlphasBlock", 2, 2, {255, 0, 0, 255, 0, 0, 255, 85, 9, 9, 9, 0, 9, 9, 9, 0}, 0x55BF0040},
        HalvingCase{"TwoAlphasRow", 2, 1, {255, 0, 0, 255, 0, 0, 255, 85}, 0xAABF0040},
        // Nothing visible: the plain mean, rounded half up.
        HalvingCase{"TransparentBlock", 2, 2, {10, 20, 30, 0, 11, 20, 30, 0, 11, 20, 30, 0, 11, 21, 31, 0},
                    0x000B141E},
        HalvingCase{"OpaqueBlockHalfway", 2, 2, {0, 0, 0, 255, 2, 0, 0, 255, 0, 0, 0, 255, 0, 0, 0, 255},
                    0xFF010000}),
    [](const auto& test) { return std::string(test.param.name); });

TEST_F(TextureLoader, OddSizesAverageWhatEachTexelCovers) {
    // 3 x 1 (black, black, white) halves to one texel covering all three.
    writeFile("odd.png", pngBytes(3, 1, {0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 255, 255}));
    IDirect3DTexture9* texture = nullptr;
    ASSERT_EQ(D3DXCreateTextureFromFileW(device, L"odd.png", &texture), D3D_OK);
    EXPECT_EQ(levelTexels(texture, 1), (std::vector<D3DCOLOR>{0xFF555555}));
    texture->Release();
}

TEST_F(TextureLoader, OnePixelLoadsWithOneLevel) {
    writeFile("dot.png", pngBytes(1, 1, {10, 20, 30, 40}));
    IDirect3DTexture9* texture = nullptr;
    ASSERT_EQ(D3DXCreateTextureFromFileW(device, L"dot.png", &texture), D3D_OK);
    EXPECT_EQ(texture->GetLevelCount(), 1u);
    EXPECT_EQ(levelTexels(texture, 0)[0], 0x280A141Eu);
    texture->Release();
}

std::string bigEndian(std::uint32_t value) {
    return {static_cast<char>(value >> 24), static_cast<char>(value >> 16), static_cast<char>(value >> 8),
            static_cast<char>(value)};
}

std::string chunk(const std::string& type, const std::string& data) {
    const std::string body = type + data;
    std::uint32_t crc = 0xFFFFFFFF;
    for (unsigned char byte : body) {
        crc ^= byte;
        for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
    }
    return bigEndian(static_cast<std::uint32_t>(data.size())) + body + bigEndian(~crc);
}

// A well-formed PNG header declaring the given size, followed by a few bytes of image data.
std::string pngDeclaring(std::uint32_t width, std::uint32_t height) {
    return std::string("\x89PNG\r\n\x1a\n", 8) +
           chunk("IHDR", bigEndian(width) + bigEndian(height) + std::string("\x08\x06\x00\x00\x00", 5)) +
           chunk("IDAT", std::string("\x78\x9c\x03\x00\x00\x00\x00\x01", 8)) + chunk("IEND", "");
}

struct BadFile {
    const char* name;
    std::string (*bytes)(const std::string& goodPng);
    const char* reason = "";  // part of the reported reason
};

class BadTextureFiles : public TextureLoader, public ::testing::WithParamInterface<BadFile> {};

TEST_P(BadTextureFiles, FailCleanlyWithNoTexture) {
    const std::string good = pngBytes(16, 16, std::vector<std::uint8_t>(16 * 16 * 4, 200));
    if (GetParam().bytes) writeFile("bad.png", GetParam().bytes(good));
    const unsigned liveBefore = softgfx::liveObjects();

    IDirect3DTexture9* texture = reinterpret_cast<IDirect3DTexture9*>(1);
    EXPECT_TRUE(FAILED(D3DXCreateTextureFromFileW(device, L"bad.png", &texture)));
    EXPECT_EQ(texture, nullptr);
    EXPECT_NE(std::string(D3DXGetLastError()), "");
    EXPECT_NE(std::string(D3DXGetLastError()).find(GetParam().reason), std::string::npos) << D3DXGetLastError();
    EXPECT_EQ(softgfx::liveObjects(), liveBefore);
    EXPECT_EQ(softgfx::countOf(softgfx::Op::CreateTexture), 0u);
}

INSTANTIATE_TEST_SUITE_P(
    TextureLoader, BadTextureFiles,
    ::testing::Values(
        BadFile{"Missing", nullptr},
        BadFile{"Empty", [](const std::string&) { return std::string(); }},
        BadFile{"Truncated", [](const std::string& png) { return png.substr(0, png.size() / 2); }},
        BadFile{"CorruptData",
                [](const std::string& png) {
                    std::string broken = png;
                    for (std::size_t i = 40; i < broken.size() - 12; ++i) broken[i] = static_cast<char>(i * 7);
                    return broken;
                }},
        BadFile{"NotAPng", [](const std::string&) { return std::string("GIF89a and then some"); }},
        BadFile{"HugeDeclared", [](const std::string&) { return pngDeclaring(65535, 65535); }, "larger than 8192"},
        BadFile{"JustOverTheLimit", [](const std::string&) { return pngDeclaring(8193, 16); }, "larger than 8192"}),
    [](const auto& test) { return std::string(test.param.name); });

TEST_F(TextureLoader, DeviceFailuresLeaveNoTexture) {
    writeFile("fine.png", pngBytes(8, 8, std::vector<std::uint8_t>(8 * 8 * 4, 90)));
    for (softgfx::Fault fault : {softgfx::Fault::CreateTexture, softgfx::Fault::LockRect}) {
        softgfx::failNext(fault);
        IDirect3DTexture9* texture = nullptr;
        EXPECT_TRUE(FAILED(D3DXCreateTextureFromFileW(device, L"fine.png", &texture)));
        EXPECT_EQ(texture, nullptr);
        EXPECT_EQ(softgfx::liveObjects(), 2u) << "only the Direct3D object and the device";
    }
}

}  // namespace
