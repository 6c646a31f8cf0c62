// A screenshot of the capture tool, read back for comparisons of regions.
#pragma once

#include <cstdint>
#include <filesystem>

#include "platform/d3dx/png_decoder.h"

struct Region {
    int left, top, right, bottom;  // client pixels, right and bottom excluded
};

class Shot {
public:
    explicit Shot(const std::filesystem::path& file);
    bool loaded() const { return image.width > 0; }
    int width() const { return static_cast<int>(image.width); }
    int height() const { return static_cast<int>(image.height); }
    // Mean of R, G and B over the region, 0..255.
    double brightness(const Region& region) const;
    // Mean absolute difference of R, G and B against the same region of another shot.
    double difference(const Shot& other, const Region& region) const;

private:
    int channel(int x, int y, int c) const { return image.rgba[(static_cast<std::size_t>(y) * image.width + x) * 4 + c]; }
    d3dx::RgbaImage image;
};
