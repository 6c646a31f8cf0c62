#include "tools/art/mip_texture.h"

#include <cmath>

namespace art {

namespace {

Canvas premultiply(const Canvas& c) {
    Canvas out(c.width(), c.height());
    for (int y = 0; y < c.height(); ++y)
        for (int x = 0; x < c.width(); ++x) {
            const Rgba p = c.at(x, y);
            out.at(x, y) = {p.r * p.a, p.g * p.a, p.b * p.a, p.a};
        }
    return out;
}

Canvas halve(const Canvas& c) {
    Canvas out(std::max(1, c.width() / 2), std::max(1, c.height() / 2));
    for (int y = 0; y < out.height(); ++y)
        for (int x = 0; x < out.width(); ++x) {
            Rgba sum;
            for (int dy = 0; dy < 2; ++dy)
                for (int dx = 0; dx < 2; ++dx) {
                    const Rgba p = c.at(std::min(2 * x + dx, c.width() - 1), std::min(2 * y + dy, c.height() - 1));
                    sum = {sum.r + p.r, sum.g + p.g, sum.b + p.b, sum.a + p.a};
                }
            out.at(x, y) = {sum.r / 4, sum.g / 4, sum.b / 4, sum.a / 4};
        }
    return out;
}

}  // namespace

MipTexture::MipTexture(const Canvas& base) {
    levels_.push_back(premultiply(base));
    while (levels_.back().width() > 1 || levels_.back().height() > 1) levels_.push_back(halve(levels_.back()));
}

Rgba MipTexture::bilinear(const Canvas& level, float u, float v) const {
    const float x = u * float(level.width()) - 0.5f, y = v * float(level.height()) - 0.5f;
    const int x0 = int(std::floor(x)), y0 = int(std::floor(y));
    const float fx = x - float(x0), fy = y - float(y0);
    auto texel = [&](int tx, int ty) {
        tx = std::clamp(tx, 0, level.width() - 1);
        ty = std::clamp(ty, 0, level.height() - 1);
        return level.at(tx, ty);
    };
    return mix(mix(texel(x0, y0), texel(x0 + 1, y0), fx), mix(texel(x0, y0 + 1), texel(x0 + 1, y0 + 1), fx), fy);
}

Rgba MipTexture::sample(float u, float v, float texelsPerPixel) const {
    const float lod = std::clamp(std::log2(std::max(texelsPerPixel, 1.0f)), 0.0f, float(levels_.size() - 1));
    const int lower = int(lod);
    const int upper = std::min(lower + 1, int(levels_.size()) - 1);
    const Rgba p = mix(bilinear(levels_[size_t(lower)], u, v), bilinear(levels_[size_t(upper)], u, v), lod - float(lower));
    if (p.a <= 0) return {0, 0, 0, 0};
    return {p.r / p.a, p.g / p.a, p.b / p.a, p.a};
}

}  // namespace art
