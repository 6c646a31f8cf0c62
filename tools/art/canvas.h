#pragma once
// A floating-point RGBA image that the painters draw into; quantised once at the end.
#include <cstdint>
#include <vector>

#include "tools/art/geometry.h"

namespace art {

class Canvas {
public:
    Canvas(int width, int height) : width_(width), height_(height), pixels_(size_t(width) * height) {}

    int width() const { return width_; }
    int height() const { return height_; }
    Rgba& at(int x, int y) { return pixels_[size_t(y) * width_ + x]; }
    const Rgba& at(int x, int y) const { return pixels_[size_t(y) * width_ + x]; }

    // 8-bit RGBA rows, top row first, straight alpha. Transparent pixels keep their
    // colour, so the painters give them the colour of the nearby edge and filtering
    // never pulls a dark fringe into a soft border.
    std::vector<uint8_t> toRgba8() const;

private:
    int width_;
    int height_;
    std::vector<Rgba> pixels_;
};

}  // namespace art
