#include "tools/art/canvas.h"

#include <cmath>

namespace art {

namespace {
uint8_t quantise(float v) { return uint8_t(std::lround(clamp01(v) * 255.0f)); }
}  // namespace

std::vector<uint8_t> Canvas::toRgba8() const {
    std::vector<uint8_t> bytes;
    bytes.reserve(pixels_.size() * 4);
    for (const Rgba& p : pixels_) {
        bytes.push_back(quantise(p.r));
        bytes.push_back(quantise(p.g));
        bytes.push_back(quantise(p.b));
        bytes.push_back(quantise(p.a));
    }
    return bytes;
}

}  // namespace art
