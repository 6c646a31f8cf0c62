#include "loader_fixture.h"

#include <png.h>

#include <algorithm>
#include <fstream>

namespace d3dxtest {

void Loader::SetUp() {
    softgfx::reset();
    direct3D = Direct3DCreate9(D3D_SDK_VERSION);
    ASSERT_NE(direct3D, nullptr);
    D3DPRESENT_PARAMETERS parameters{};
    parameters.Windowed = TRUE;
    parameters.SwapEffect = D3DSWAPEFFECT_DISCARD;
    ASSERT_EQ(direct3D->CreateDevice(0, D3DDEVTYPE_HAL, nullptr, 0, &parameters, &device), D3D_OK);

    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string folder = std::string("d3dx_") + test->test_suite_name() + "_" + test->name();
    std::replace(folder.begin(), folder.end(), '/', '_');
    scratch = std::filesystem::temp_directory_path() / folder;
    std::filesystem::remove_all(scratch);
    std::filesystem::create_directories(scratch);
    previousDirectory = std::filesystem::current_path();
    std::filesystem::current_path(scratch);
}

void Loader::TearDown() {
    std::filesystem::current_path(previousDirectory);
    std::filesystem::remove_all(scratch);
    if (device) device->Release();
    if (direct3D) direct3D->Release();
    EXPECT_EQ(softgfx::liveObjects(), 0u) << "a loader leaked device objects";
}

void Loader::writeFile(const std::string& name, const std::string& bytes) {
    std::filesystem::create_directories((scratch / name).parent_path());
    std::ofstream(scratch / name, std::ios::binary) << bytes;
}

std::string Loader::pngBytes(unsigned width, unsigned height, const std::vector<std::uint8_t>& rgba) {
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    png.width = width;
    png.height = height;
    png.format = PNG_FORMAT_RGBA;
    png_alloc_size_t size = 0;
    png_image_write_to_memory(&png, nullptr, &size, 0, rgba.data(), 0, nullptr);
    std::string bytes(size, '\0');
    EXPECT_TRUE(png_image_write_to_memory(&png, bytes.data(), &size, 0, rgba.data(), 0, nullptr));
    bytes.resize(size);
    return bytes;
}

}  // namespace d3dxtest
