// A software device and a scratch folder, which the loader tests run in.
#pragma once

#include "platform/d3dx9.h"
#include "platform/soft_device.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace d3dxtest {

class Loader : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A file in the scratch folder, which is the current directory during a test.
    void writeFile(const std::string& name, const std::string& bytes);
    // An RGBA PNG of the given pixels (R, G, B, A bytes, rows top to bottom).
    static std::string pngBytes(unsigned width, unsigned height, const std::vector<std::uint8_t>& rgba);

    IDirect3D9* direct3D = nullptr;
    IDirect3DDevice9* device = nullptr;
    std::filesystem::path scratch;
    std::filesystem::path previousDirectory;
};

}  // namespace d3dxtest
