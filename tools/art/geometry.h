#pragma once
// Small value types and distance-field helpers shared by every picture.
#include <algorithm>
#include <cmath>

namespace art {

struct Vec2 {
    float x = 0, y = 0;
};
inline Vec2 operator+(Vec2 a, Vec2 b) { return {a.x + b.x, a.y + b.y}; }
inline Vec2 operator-(Vec2 a, Vec2 b) { return {a.x - b.x, a.y - b.y}; }
inline Vec2 operator*(Vec2 a, float s) { return {a.x * s, a.y * s}; }
inline float dot(Vec2 a, Vec2 b) { return a.x * b.x + a.y * b.y; }
inline float length(Vec2 a) { return std::sqrt(dot(a, a)); }

// Straight (not premultiplied) colour, components 0..1.
struct Rgba {
    float r = 0, g = 0, b = 0, a = 0;
};

inline float clamp01(float v) { return std::clamp(v, 0.0f, 1.0f); }
inline float mix(float a, float b, float t) { return a + (b - a) * t; }
inline Rgba mix(Rgba a, Rgba b, float t) {
    return {mix(a.r, b.r, t), mix(a.g, b.g, t), mix(a.b, b.b, t), mix(a.a, b.a, t)};
}
inline float smoothstep(float e0, float e1, float v) {
    const float t = clamp01((v - e0) / (e1 - e0));
    return t * t * (3 - 2 * t);
}
inline Rgba withAlpha(Rgba c, float a) { return {c.r, c.g, c.b, a}; }
inline Rgba scaled(Rgba c, float k) { return {c.r * k, c.g * k, c.b * k, c.a}; }

// Porter-Duff "over". A fully transparent result keeps the source colour so that
// filtered texels at the rim of a picture do not darken towards black.
inline Rgba over(Rgba dst, Rgba src) {
    const float a = src.a + dst.a * (1 - src.a);
    if (a <= 0) return {src.r, src.g, src.b, 0};
    const float kd = dst.a * (1 - src.a);
    return {(src.r * src.a + dst.r * kd) / a, (src.g * src.a + dst.g * kd) / a,
            (src.b * src.a + dst.b * kd) / a, a};
}

// Adds light: brightens the colour underneath and makes the pixel more opaque.
inline Rgba glowOver(Rgba dst, Rgba light, float amount) {
    const float k = clamp01(amount);
    Rgba out = over(dst, withAlpha(light, k * light.a));
    out.r = std::min(1.0f, out.r + light.r * k * 0.35f);
    out.g = std::min(1.0f, out.g + light.g * k * 0.35f);
    out.b = std::min(1.0f, out.b + light.b * k * 0.35f);
    return out;
}

inline float distanceToSegment(Vec2 p, Vec2 a, Vec2 b) {
    const Vec2 ab = b - a;
    const float len2 = dot(ab, ab);
    const float t = len2 > 0 ? clamp01(dot(p - a, ab) / len2) : 0.0f;
    return length(p - (a + ab * t));
}

// Signed distance to an axis-aligned rectangle with rounded corners (negative inside).
inline float roundedBoxDistance(Vec2 p, Vec2 centre, Vec2 halfSize, float radius) {
    const float qx = std::fabs(p.x - centre.x) - halfSize.x + radius;
    const float qy = std::fabs(p.y - centre.y) - halfSize.y + radius;
    const float outside = length({std::max(qx, 0.0f), std::max(qy, 0.0f)});
    return outside + std::min(std::max(qx, qy), 0.0f) - radius;
}

// Coverage of a shape given its signed distance, with an edge softness in pixels.
inline float fill(float signedDistance, float softness = 1.0f) {
    return clamp01(0.5f - signedDistance / softness);
}

inline float gaussian(float distance, float radius) {
    const float t = distance / radius;
    return std::exp(-t * t);
}

}  // namespace art
