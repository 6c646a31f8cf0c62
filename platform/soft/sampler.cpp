#include "platform/soft/sampler.h"

#include <algorithm>
#include <cmath>

namespace softgfx::detail {

namespace {

int addressed(int coordinate, int size, DWORD mode) {
    if (mode == D3DTADDRESS_WRAP) {
        const int wrapped = coordinate % size;
        return wrapped < 0 ? wrapped + size : wrapped;
    }
    return std::clamp(coordinate, 0, size - 1);
}

Color unpack(std::uint32_t texel) {
    constexpr float scale = 1.0f / 255.0f;
    return {static_cast<float>((texel >> 16) & 0xFF) * scale, static_cast<float>((texel >> 8) & 0xFF) * scale,
            static_cast<float>(texel & 0xFF) * scale, static_cast<float>(texel >> 24) * scale};
}

Color mix(const Color& a, const Color& b, float t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t, a.a + (b.a - a.a) * t};
}

Color texel(const TextureLevel& level, int x, int y, const SamplerState& sampler) {
    const int column = addressed(x, static_cast<int>(level.width), sampler.addressU);
    const int row = addressed(y, static_cast<int>(level.height), sampler.addressV);
    return unpack(level.texels[static_cast<std::size_t>(row) * level.width + static_cast<std::size_t>(column)]);
}

// Keeps texel coordinates where integer conversion is defined: coordinates
// this far out address the same edge texel (clamp) or some texel (wrap) anyway.
float bounded(float coordinate) {
    constexpr float limit = 16777216.0f;
    return std::isfinite(coordinate) ? std::clamp(coordinate, -limit, limit) : 0.0f;
}

Color sampleLevel(const TextureLevel& level, const SamplerState& sampler, DWORD filter, float u, float v) {
    // Texel centres lie at half integers: texel i covers [i, i + 1) in texel space.
    const float x = bounded(u * static_cast<float>(level.width));
    const float y = bounded(v * static_cast<float>(level.height));
    if (filter != D3DTEXF_LINEAR) {
        return texel(level, static_cast<int>(std::floor(x)), static_cast<int>(std::floor(y)), sampler);
    }
    const float left = std::floor(x - 0.5f);
    const float top = std::floor(y - 0.5f);
    const float fx = x - 0.5f - left;
    const float fy = y - 0.5f - top;
    const int x0 = static_cast<int>(left);
    const int y0 = static_cast<int>(top);
    const Color upper = mix(texel(level, x0, y0, sampler), texel(level, x0 + 1, y0, sampler), fx);
    const Color lower = mix(texel(level, x0, y0 + 1, sampler), texel(level, x0 + 1, y0 + 1, sampler), fx);
    return mix(upper, lower, fy);
}

}  // namespace

float levelOfDetail(const TextureLevel& base, float dudx, float dvdx, float dudy, float dvdy) {
    const float width = static_cast<float>(base.width);
    const float height = static_cast<float>(base.height);
    const float alongX = std::hypot(dudx * width, dvdx * height);
    const float alongY = std::hypot(dudy * width, dvdy * height);
    const float rho = std::max(alongX, alongY);
    return rho > 0.0f ? std::log2(rho) : -1000.0f;
}

Color sample(const std::vector<TextureLevel>& levels, const SamplerState& sampler, float u, float v, float lod) {
    if (lod <= 0.0f || levels.size() == 1 || sampler.mipFilter == D3DTEXF_NONE) {
        const DWORD filter = lod <= 0.0f ? sampler.magFilter : sampler.minFilter;
        return sampleLevel(levels.front(), sampler, filter, u, v);
    }
    const float maxLevel = static_cast<float>(levels.size() - 1);
    const float d = std::min(lod, maxLevel);
    if (sampler.mipFilter == D3DTEXF_POINT) {
        // GL_*_MIPMAP_NEAREST: the level nearest to d.
        const auto nearest = static_cast<std::size_t>(std::min(std::ceil(d + 0.5f) - 1.0f, maxLevel));
        return sampleLevel(levels[nearest], sampler, sampler.minFilter, u, v);
    }
    const auto finer = static_cast<std::size_t>(std::floor(d));
    const Color fine = sampleLevel(levels[finer], sampler, sampler.minFilter, u, v);
    if (finer + 1 >= levels.size()) return fine;
    const Color coarse = sampleLevel(levels[finer + 1], sampler, sampler.minFilter, u, v);
    return mix(fine, coarse, d - static_cast<float>(finer));
}

}  // namespace softgfx::detail
