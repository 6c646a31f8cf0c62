#include "platform/soft/rasterizer.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace softgfx::detail {

namespace {

// Twice the signed area of (a, b, p); positive when p lies to the right of a->b
// on a y-down screen, i.e. inside a clockwise triangle.
float edgeValue(const RasterVertex& a, const RasterVertex& b, float px, float py) {
    return (b.x - a.x) * (py - a.y) - (b.y - a.y) * (px - a.x);
}

// Top-left rule for a clockwise triangle on a y-down screen: a centre exactly
// on an edge belongs to the triangle when the edge is a top edge (horizontal,
// running right) or a left edge (running up).
bool ownsBoundary(const RasterVertex& a, const RasterVertex& b) {
    const float dy = b.y - a.y;
    return dy < 0.0f || (dy == 0.0f && b.x > a.x);
}

struct Edge {
    const RasterVertex& from;
    const RasterVertex& to;
    bool ownsBoundary;
    float dx;  // change of the edge value per pixel to the right
    float dy;  // per pixel downwards

    Edge(const RasterVertex& a, const RasterVertex& b)
        : from(a), to(b), ownsBoundary(detail::ownsBoundary(a, b)), dx(-(b.y - a.y)), dy(b.x - a.x) {}

    bool covers(float value) const { return value > 0.0f || (value == 0.0f && ownsBoundary); }
};

// One attribute as a plane over the screen: value = weights of the three
// vertices, each weight the opposite edge's value divided by the area.
struct Gradient {
    float perX;
    float perY;
};

Gradient gradient(const Edge (&edges)[3], float area, float va, float vb, float vc) {
    return {(va * edges[0].dx + vb * edges[1].dx + vc * edges[2].dx) / area,
            (va * edges[0].dy + vb * edges[1].dy + vc * edges[2].dy) / area};
}

bool isCulled(DWORD cullMode, bool clockwise) {
    return (cullMode == D3DCULL_CW && clockwise) || (cullMode == D3DCULL_CCW && !clockwise);
}

bool passesDepth(DWORD function, float incoming, float stored) {
    switch (function) {
        case D3DCMP_NEVER: return false;
        case D3DCMP_LESS: return incoming < stored;
        case D3DCMP_EQUAL: return incoming == stored;
        case D3DCMP_LESSEQUAL: return incoming <= stored;
        default: return true;
    }
}

float factor(DWORD blend, float sourceChannel, float sourceAlpha) {
    switch (blend) {
        case D3DBLEND_ZERO: return 0.0f;
        case D3DBLEND_SRCCOLOR: return sourceChannel;
        case D3DBLEND_INVSRCCOLOR: return 1.0f - sourceChannel;
        case D3DBLEND_SRCALPHA: return sourceAlpha;
        case D3DBLEND_INVSRCALPHA: return 1.0f - sourceAlpha;
        default: return 1.0f;
    }
}

std::uint8_t toByte(float channel) {
    return static_cast<std::uint8_t>(std::clamp(channel, 0.0f, 1.0f) * 255.0f + 0.5f);
}

void writePixel(std::uint8_t* pixel, const RasterState& state, const Color& source) {
    const float incoming[3] = {source.r, source.g, source.b};
    for (int channel = 0; channel < 3; ++channel) {
        float result = incoming[channel];
        if (state.blend) {
            const float stored = static_cast<float>(pixel[channel]) / 255.0f;
            result = incoming[channel] * factor(state.sourceBlend, incoming[channel], source.a) +
                     stored * factor(state.destinationBlend, incoming[channel], source.a);
        }
        pixel[channel] = toByte(result);
    }
    pixel[3] = 255;
}

Color clamped(const Color& c) {
    return {std::clamp(c.r, 0.0f, 1.0f), std::clamp(c.g, 0.0f, 1.0f), std::clamp(c.b, 0.0f, 1.0f),
            std::clamp(c.a, 0.0f, 1.0f)};
}

bool isFinite(const RasterVertex& v) {
    return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z) && std::isfinite(v.u) &&
           std::isfinite(v.v);
}

}  // namespace

void rasterizeTriangle(RenderTarget& target, const RasterState& state, RasterVertex a, RasterVertex b,
                       RasterVertex c) {
    if (!isFinite(a) || !isFinite(b) || !isFinite(c)) return;
    float area = edgeValue(a, b, c.x, c.y);
    if (area == 0.0f) return;
    const bool clockwise = area > 0.0f;
    if (isCulled(state.cullMode, clockwise)) return;
    if (!clockwise) {
        std::swap(b, c);
        area = -area;
    }

    // Weight of a is the value of edge b->c, of b that of c->a, of c that of a->b.
    const Edge edges[3] = {Edge(b, c), Edge(c, a), Edge(a, b)};
    const Gradient du = gradient(edges, area, a.u, b.u, c.u);
    const Gradient dv = gradient(edges, area, a.v, b.v, c.v);
    const float lod = state.texture ? levelOfDetail(state.texture->front(), du.perX, dv.perX, du.perY, dv.perY) : 0.0f;

    const int width = target.color.width;
    const int height = target.color.height;
    const float left = std::max(0.0f, std::floor(std::min({a.x, b.x, c.x})));
    const float right = std::min(static_cast<float>(width), std::ceil(std::max({a.x, b.x, c.x})));
    const float top = std::max(0.0f, std::floor(std::min({a.y, b.y, c.y})));
    const float bottom = std::min(static_cast<float>(height), std::ceil(std::max({a.y, b.y, c.y})));

    for (int y = static_cast<int>(top); y < static_cast<int>(bottom); ++y) {
        const float py = static_cast<float>(y) + 0.5f;
        for (int x = static_cast<int>(left); x < static_cast<int>(right); ++x) {
            const float px = static_cast<float>(x) + 0.5f;
            const float wa = edgeValue(b, c, px, py);
            const float wb = edgeValue(c, a, px, py);
            const float wc = edgeValue(a, b, px, py);
            if (!edges[0].covers(wa) || !edges[1].covers(wb) || !edges[2].covers(wc)) continue;

            const float la = wa / area;
            const float lb = wb / area;
            const float lc = wc / area;
            const std::size_t at = static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                                   static_cast<std::size_t>(x);
            const float z = la * a.z + lb * b.z + lc * c.z;
            if (state.depthTest && !passesDepth(state.depthFunction, z, target.depth[at])) continue;

            const Color tint{la * a.color.r + lb * b.color.r + lc * c.color.r,
                             la * a.color.g + lb * b.color.g + lc * c.color.g,
                             la * a.color.b + lb * b.color.b + lc * c.color.b,
                             la * a.color.a + lb * b.color.a + lc * c.color.a};
            Color texel{0.0f, 0.0f, 0.0f, 1.0f};
            if (state.texture) {
                texel = sample(*state.texture, state.sampler, la * a.u + lb * b.u + lc * c.u,
                               la * a.v + lb * b.v + lc * c.v, lod);
            }
            const Color shaded = clamped({texel.r * tint.r, texel.g * tint.g, texel.b * tint.b, texel.a * tint.a});
            writePixel(target.color.rgba.data() + at * 4, state, shaded);
            if (state.depthTest && state.depthWrite) target.depth[at] = z;
        }
    }
}

}  // namespace softgfx::detail
