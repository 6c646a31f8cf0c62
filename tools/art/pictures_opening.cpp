#include <cmath>

#include "tools/art/pictures.h"
#include "tools/art/style.h"
#include "tools/art/text_ink.h"

namespace art::pictures {

using namespace style;

namespace {

Rgba soundWaves(Rgba c, Vec2 p, Surface s) {
    for (int k = 0; k < 3; ++k) {
        const float u = p.x / s.width;
        const float envelope = std::sin(u * 3.14159f) * (0.6f + 0.4f * std::sin(u * 9.0f + float(k)));
        const float y = s.height * (0.70f + 0.06f * float(k)) +
                        s.height * 0.05f * envelope * std::sin(p.x * (0.018f + 0.006f * float(k)) + 1.7f * float(k));
        const float d = std::fabs(p.y - y);
        const Rgba tint = k == 1 ? rose : mix(cyan, violet, 0.5f * float(k));
        c = glowOver(c, tint, 0.30f * gaussian(d, 0.7f) + 0.07f * gaussian(d, 6));
    }
    return c;
}

float vignette(Vec2 p, Surface s) {
    const float dx = (p.x / s.width - 0.5f) * 1.5f, dy = (p.y / s.height - 0.5f) * 1.3f;
    return 1 - 0.45f * smoothstep(0.35f, 1.0f, std::sqrt(dx * dx + dy * dy));
}

}  // namespace

Rgba background(Vec2 p, Surface s) {
    const float v = p.y / s.height;
    Rgba c = mix(night, deepNight, smoothstep(0, 1, v));
    const float cloud = cloudNoise({p.x / 160, p.y / 95}, 11);
    const float haze = cloudNoise({p.x / 95 + 7, p.y / 70}, 23);
    c = mix(c, violet, 0.26f * smoothstep(0.45f, 0.85f, cloud));
    c = mix(c, rose, 0.12f * smoothstep(0.55f, 0.9f, haze) * v);
    c = glowOver(c, violet, 0.30f * gaussian(length(p - Vec2{0.30f * s.width, 0.30f * s.height}), 260));
    c = glowOver(c, rose, 0.16f * gaussian(length(p - Vec2{0.92f * s.width, 1.02f * s.height}), 190));
    c = soundWaves(c, p, s);
    c = glowOver(c, moon, 0.9f * stars(p, 21, 5) * (1 - 0.7f * v));
    c = scaled(c, vignette(p, s));
    return withAlpha(c, 1);
}

namespace {

float ridge(float x, float base, float scale, float phase) {
    return base + scale * (0.55f * std::sin(x * 0.019f + phase) + 0.3f * std::sin(x * 0.047f + 2 * phase) +
                           0.15f * std::sin(x * 0.113f + 3 * phase));
}

Rgba sunset(Vec2 p, float horizon, Vec2 sun, float sunRadius) {
    const float t = p.y / horizon;
    Rgba sky = mix(mix(deepNight, indigo, 0.7f), violet, std::pow(t, 1.6f));
    sky = mix(sky, rose, 0.75f * smoothstep(0.55f, 1.0f, t));
    sky = mix(sky, amber, 0.35f * smoothstep(0.88f, 1.0f, t));
    sky = glowOver(sky, moon, stars(p, 18, 41) * (1 - t));
    const float r = length(p - sun);
    sky = glowOver(sky, amber, 0.55f * gaussian(r - sunRadius, sunRadius * 0.6f));
    const float below = (p.y - sun.y) / sunRadius;
    const float band = below > 0 ? std::fmod(below * 6.0f, 1.0f) : 1.0f;
    const bool cut = below > 0.05f && band < 0.15f + 0.35f * below;
    const float body = cut ? 0.0f : fill(r - sunRadius);
    const Rgba sunColour = mix(amber, rose, clamp01((p.y - (sun.y - sunRadius)) / (2 * sunRadius)));
    return over(sky, withAlpha(sunColour, body));
}

Rgba mountains(Rgba c, Vec2 p, float horizon) {
    const float far = ridge(p.x, horizon - 26, 14, 1.0f);
    const float near = ridge(p.x + 300, horizon - 9, 7, 2.3f);
    if (p.y > horizon + 1) return c;
    if (p.y > far) {
        c = over(c, withAlpha(mix(indigo, night, 0.5f), fill(far - p.y)));
        c = glowOver(c, rose, 0.5f * gaussian(p.y - far, 1.2f));
    }
    if (p.y > near) {
        c = over(c, withAlpha(deepNight, fill(near - p.y)));
        c = glowOver(c, violet, 0.45f * gaussian(p.y - near, 1.0f));
    }
    return c;
}

Rgba gridFloor(Vec2 p, float horizon, float vanishX, Surface s) {
    const float depth = std::max(p.y - horizon, 0.5f);
    const float fade = clamp01(depth / (s.height - horizon));
    Rgba c = mix(mix(night, violet, 0.25f), deepNight, fade);
    const float across = (p.x - vanishX) / depth * 4.0f;
    const float acrossDistance = std::fabs(across - std::round(across)) * depth / 4.0f;
    const float rows = 300.0f / depth;
    const float rowDistance = std::fabs(rows - std::round(rows)) * depth * depth / 300.0f;
    const float line = std::max(gaussian(acrossDistance, 0.8f), gaussian(rowDistance, 0.8f));
    const Rgba lineColour = mix(rose, cyan, fade);
    // Near the horizon the lines crowd closer than a pixel; a haze takes over there.
    c = glowOver(c, lineColour, line * (0.45f + 0.5f * fade) * smoothstep(0.03f, 0.3f, fade));
    c = glowOver(c, rose, 0.45f * (1 - smoothstep(0, 0.25f, fade)));
    return glowOver(c, rose, 0.35f * gaussian(p.x - vanishX, 18) * (1 - fade));
}

}  // namespace

Rgba introPicture(Vec2 p, Surface s) {
    const Panel frame{3, 3, s.width - 3, s.height - 3, 14};
    const float d = panelDistance(frame, p);
    if (d > 2) return transparent;
    const float horizon = s.height * 0.62f;
    const Vec2 sun{s.width * 0.62f, horizon - s.height * 0.20f};
    Rgba c = p.y < horizon ? sunset(p, horizon, sun, s.height * 0.26f) : gridFloor(p, horizon, sun.x, s);
    c = mountains(c, p, horizon);
    c = withAlpha(c, clamp01(-d / 9.0f + 0.1f));
    const float rim = fill(std::fabs(d + 1.0f) - 0.7f);
    return over(c, withAlpha(rimColour(p.x / s.width), 0.8f * rim));
}

Rgba logo(Vec2 p, Surface s) {
    // Room around the emblem for its glow to fade out inside the picture.
    const float r = s.height * 0.34f;
    Rgba c = emblem(transparent, {r + 18, s.height / 2}, r, p);
    const float left = 2 * r + 34;
    const float cell = (s.width - left - 6) / measureText("VELMORA", 1);
    const TextInk word = setText("VELMORA", {left, s.height * 0.47f - cell * 0.52f}, cell, 1.25f);
    const float wd = inkDistance(word, p) - word.halfWidth;
    c = addGlow(c, rose, wd, cell * 0.12f, 0.55f);
    const float t = clamp01((p.y - word.boundsMin.y) / (word.boundsMax.y - word.boundsMin.y));
    c = over(c, withAlpha(mix(amber, rose, t), fill(wd)));
    const float lineY = s.height * 0.66f;
    const float lineFade = smoothstep(left, left + 30, p.x) * (1 - smoothstep(s.width - 40, s.width - 4, p.x));
    c = glowOver(c, violet, lineFade * (0.9f * gaussian(p.y - lineY, 0.6f) + 0.25f * gaussian(p.y - lineY, 4)));
    const float tagCell = cell * 0.42f;
    const TextInk tag = setText("MUSIC DISK", {left + 2, lineY + 3 - tagCell * capTop}, tagCell);
    c = over(c, withAlpha(mix(cyan, moon, 0.5f), inkCoverage(tag, p)));
    return withAlpha(c, c.a * edgeFade(p, s, 10));
}

}  // namespace art::pictures
