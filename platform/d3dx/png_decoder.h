// Decoding PNG files into straight-alpha RGBA pixels.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace d3dx {

struct RgbaImage {
    unsigned width = 0;
    unsigned height = 0;
    std::vector<std::uint8_t> rgba;  // R, G, B, A bytes, rows top to bottom
};

// Textures larger than this on a side are refused before any pixel memory is taken.
constexpr unsigned largestTextureSide = 8192;

// False, with the reason in error, for a missing, truncated or corrupt file or an absurd size.
bool decodePng(const std::filesystem::path& file, RgbaImage& image, std::string& error);

}  // namespace d3dx
