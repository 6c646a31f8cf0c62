#include "tools/art/style.h"

#include <cmath>
#include <numbers>

#include "tools/art/text_ink.h"

namespace art::style {

namespace {

uint32_t hash(int x, int y, uint32_t seed) {
    uint32_t h = uint32_t(x) * 0x8da6b343u ^ uint32_t(y) * 0xd8163841u ^ seed * 0xcb1ab31fu;
    h ^= h >> 13;
    h *= 0x5bd1e995u;
    h ^= h >> 15;
    return h;
}

float unit(uint32_t h) { return float(h & 0xffffffu) / float(0xffffff); }

}  // namespace

Rgba rimColour(float t) {
    t = clamp01(t);
    return t < 0.5f ? mix(cyan, violet, t * 2) : mix(violet, rose, t * 2 - 1);
}

float valueNoise(Vec2 p, uint32_t seed) {
    const int ix = int(std::floor(p.x)), iy = int(std::floor(p.y));
    const float fx = p.x - float(ix), fy = p.y - float(iy);
    const float sx = fx * fx * (3 - 2 * fx), sy = fy * fy * (3 - 2 * fy);
    const float top = mix(unit(hash(ix, iy, seed)), unit(hash(ix + 1, iy, seed)), sx);
    const float bottom = mix(unit(hash(ix, iy + 1, seed)), unit(hash(ix + 1, iy + 1, seed)), sx);
    return mix(top, bottom, sy);
}

float cloudNoise(Vec2 p, uint32_t seed) {
    float sum = 0, weight = 0, amplitude = 1;
    for (int octave = 0; octave < 4; ++octave) {
        sum += valueNoise(p, seed + uint32_t(octave)) * amplitude;
        weight += amplitude;
        amplitude *= 0.5f;
        p = p * 2.03f;
    }
    return sum / weight;
}

float panelDistance(const Panel& panel, Vec2 p) {
    const Vec2 centre{(panel.x0 + panel.x1) / 2, (panel.y0 + panel.y1) / 2};
    const Vec2 half{(panel.x1 - panel.x0) / 2, (panel.y1 - panel.y0) / 2};
    return roundedBoxDistance(p, centre, half, panel.radius);
}

Rgba glassPanel(Rgba under, const Panel& panel, Vec2 p) {
    const float d = panelDistance(panel, p);
    const float body = fill(d);
    if (body <= 0 && d > 6) return under;
    const float v = clamp01((p.y - panel.y0) / (panel.y1 - panel.y0));
    const float u = clamp01((p.x - panel.x0) / (panel.x1 - panel.x0));
    Rgba glass = mix(mix(indigo, night, 0.35f), deepNight, v);
    glass = mix(glass, mix(indigo, violet, 0.3f), 0.35f * std::exp(-v * 9));  // top light
    Rgba out = over(under, withAlpha(glass, panel.opacity * body));
    const float rim = fill(std::fabs(d + 0.9f) - 0.75f);
    out = over(out, withAlpha(rimColour(u), 0.85f * rim));
    const float innerLine = fill(std::fabs(d + 2.6f) - 0.4f) * 0.22f * (1 - v);
    return over(out, withAlpha(moon, innerLine));
}

Rgba addGlow(Rgba under, Rgba colour, float distance, float radius, float strength) {
    return glowOver(under, colour, strength * gaussian(std::max(distance, 0.0f), radius));
}

Rgba emblem(Rgba under, Vec2 centre, float radius, Vec2 p) {
    const Vec2 q = p - centre;
    const float r = length(q);
    const float angle = std::atan2(q.y, q.x);
    Rgba out = addGlow(under, violet, r - radius, radius * 0.35f, 0.55f);
    const float disc = fill(r - radius);
    const float grooves = 0.5f + 0.5f * std::cos(r / radius * 60.0f);
    Rgba vinyl = mix(deepNight, night, 0.25f + 0.2f * grooves * smoothstep(0.3f, 0.4f, r / radius));
    const float sheen = 0.12f * std::pow(std::fabs(std::cos(angle - 0.8f)), 8.0f);
    vinyl = mix(vinyl, moon, sheen * smoothstep(0.35f, 0.5f, r / radius));
    out = over(out, withAlpha(vinyl, disc));
    const float rimWidth = std::max(1.0f, radius * 0.06f);
    const float rim = fill(std::fabs(r - radius + rimWidth) - rimWidth * 0.6f);
    const float sweep = 0.5f + 0.5f * std::sin(angle + 0.6f);
    out = over(out, withAlpha(mix(amber, rose, sweep), rim));
    // The V, set with the disk's own typeface, thickened for display.
    const float cell = radius * 1.55f;
    const TextInk v = setText("V", {centre.x - (1 - 2 * 0.16f) * cell / 2, centre.y - cell * 0.52f}, cell, 1.9f);
    const float letterDistance = inkDistance(v, p) - v.halfWidth;
    out = addGlow(out, rose, letterDistance, radius * 0.12f, 0.6f);
    const float t = clamp01((p.y - (centre.y - radius * 0.45f)) / (radius * 0.9f));
    return over(out, withAlpha(mix(amber, rose, t), fill(letterDistance)));
}

float edgeFade(Vec2 p, float width, float height, float margin) {
    const float inside = std::min({p.x, p.y, width - p.x, height - p.y});
    return smoothstep(0, margin, inside);
}

float stars(Vec2 p, float cellSize, uint32_t seed) {
    const int cx = int(std::floor(p.x / cellSize)), cy = int(std::floor(p.y / cellSize));
    float light = 0;
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) {
            const uint32_t h = hash(cx + dx, cy + dy, seed);
            if (unit(h) > 0.45f) continue;
            const Vec2 star{(float(cx + dx) + unit(h * 747796405u)) * cellSize,
                            (float(cy + dy) + unit(h * 2891336453u)) * cellSize};
            const float brightness = 0.25f + 0.75f * unit(h * 1664525u);
            const float size = 0.45f + 0.7f * brightness;
            light += brightness * gaussian(length(p - star), size);
        }
    return clamp01(light);
}

}  // namespace art::style
