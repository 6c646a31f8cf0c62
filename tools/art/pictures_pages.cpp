#include <cmath>
#include <string>

#include "tools/art/pictures.h"
#include "tools/art/style.h"
#include "tools/art/text_ink.h"

namespace art::pictures {

using namespace style;

namespace {

Rgba rule(Rgba c, Vec2 p, float x0, float x1, float y, Rgba colour) {
    const float ends = smoothstep(x0, x0 + 30, p.x) * (1 - smoothstep(x1 - 30, x1, p.x));
    const float d = std::fabs(p.y - y);
    return glowOver(c, colour, ends * (0.9f * gaussian(d, 0.6f) + 0.3f * gaussian(d, 4)));
}

Rgba lettering(Rgba c, Vec2 p, const TextInk& ink, Rgba top, Rgba bottom, float glow) {
    const float d = inkDistance(ink, p) - ink.halfWidth;
    c = addGlow(c, rose, d, glow, 0.6f);
    const float t = clamp01((p.y - ink.boundsMin.y) / (ink.boundsMax.y - ink.boundsMin.y));
    return over(c, withAlpha(mix(top, bottom, t), fill(d, 0.9f)));
}

Rgba smallText(Rgba c, Vec2 p, const std::string& text, Vec2 origin, float cell) {
    const TextInk ink = setText(text, origin, cell);
    return over(c, withAlpha(mix(cyan, moon, 0.5f), inkCoverage(ink, p, 0.9f)));
}

}  // namespace

Rgba aboutHeader(Vec2 p, Surface s) {
    // Opaque: the scrolling text passes beneath its lower edge.
    const Panel body{4, 4, s.width - 4, s.height, 18, 1.0f};
    Rgba c = glassPanel(transparent, body, p);
    if (panelDistance(body, p) > 2) return c;
    c = emblem(c, {78, 72}, 52, p);
    const float cell = 56;
    const TextInk title = setText("ABOUT", {160, 50 - cell * 0.52f}, cell, 1.3f);
    c = lettering(c, p, title, amber, rose, 5);
    c = rule(c, p, 150, 420, 86, violet);
    c = smallText(c, p, "VELMORA MUSIC DISK", {162, 94}, 18);
    // A lit sound wave on the right, as on the backdrop.
    const float wave = s.height * 0.40f + 16 * std::sin(p.x * 0.09f) * std::sin(p.x * 0.021f + 0.5f);
    const float fade = smoothstep(375, 410, p.x) * (1 - smoothstep(s.width - 40, s.width - 12, p.x));
    c = glowOver(c, cyan, fade * (0.8f * gaussian(p.y - wave, 0.8f) + 0.2f * gaussian(p.y - wave, 5)));
    // The lit edge the scrolling text disappears under.
    return rule(c, p, 30, s.width - 30, s.height - 6, rose);
}

Rgba signature(Vec2 p, Surface s) {
    const float cell = 13;
    const std::string text = "VELMORA MUSIC DISK";
    const float left = (s.width - measureText(text, cell)) / 2;
    Rgba c = rule(transparent, p, 6, s.width - 6, 6, violet);
    c = glowOver(c, rose, 0.9f * gaussian(length(p - Vec2{s.width / 2, 6}), 2.2f));
    return smallText(c, p, text, {left, s.height - 3 - cell * baseline}, cell);
}

Rgba spark(Vec2 p, Surface s) {
    const Vec2 centre{s.width / 2, s.height / 2};
    const float r = length({(p.x - centre.x) / centre.x, (p.y - centre.y) / centre.y});
    const float rim = 1 - smoothstep(0.7f, 1.0f, r);
    const float light = (0.9f * gaussian(r, 0.16f) + 0.45f * gaussian(r, 0.45f)) * rim;
    return withAlpha(moon, clamp01(light));
}

Rgba textFrame(Vec2 p, Surface s) {
    const Panel outline{2, 2, s.width - 2, s.height - 2, 10};
    const float d = panelDistance(outline, p);
    const float inside = fill(d);
    // Dark band at the bottom, so that each new line rises out of the shadow.
    const float v = p.y / s.height;
    Rgba c = withAlpha(deepNight, 0.92f * smoothstep(0.86f, 0.985f, v) * inside);
    c = over(c, withAlpha(rimColour(p.x / s.width), fill(std::fabs(d + 1.0f) - 0.8f)));
    c = glowOver(c, rimColour(p.x / s.width), 0.3f * gaussian(std::fabs(d + 1.0f), 3) * inside);
    // A scale of ticks down the free right-hand side.
    for (int i = 0; i < 9; ++i) {
        const float y = s.height * (0.36f + 0.065f * float(i));
        const float length = i % 4 == 0 ? 9.0f : 5.0f;
        const float t = distanceToSegment(p, {s.width - 14 - length, y}, {s.width - 14, y});
        c = over(c, withAlpha(mix(violet, moon, 0.3f), fill(t - 0.6f, 0.9f)));
    }
    return c;
}

namespace {

// Static level meter: five columns of lit segments, as if frozen mid-beat.
Rgba meter(Rgba c, Vec2 p, Surface s) {
    constexpr float levels[] = {0.55f, 0.85f, 0.7f, 0.95f, 0.6f};
    const float top = 92, bottom = s.height - 16;
    const float columnWidth = (s.width - 40) / 5;
    for (int k = 0; k < 5; ++k) {
        const float x0 = 20 + columnWidth * float(k) + 2, x1 = x0 + columnWidth - 4;
        for (int j = 0; j < 14; ++j) {
            const float y1 = bottom - float(j) * (bottom - top) / 14, y0 = y1 - (bottom - top) / 14 + 3;
            const float d = roundedBoxDistance(p, {(x0 + x1) / 2, (y0 + y1) / 2}, {(x1 - x0) / 2, (y1 - y0) / 2}, 1.5f);
            if (d > 6) continue;
            const float height = float(j + 1) / 14;
            const bool lit = height <= levels[k];
            const Rgba colour = height < 0.5f ? mix(cyan, violet, height * 2) : mix(violet, rose, height * 2 - 1);
            c = over(c, withAlpha(lit ? colour : mix(night, colour, 0.18f), fill(d)));
            if (lit) c = glowOver(c, colour, 0.25f * gaussian(std::max(d, 0.0f), 3));
        }
    }
    return c;
}

}  // namespace

Rgba infoStrip(Vec2 p, Surface s) {
    const Panel body{3, 3, s.width - 3, s.height - 3, 16, 0.85f};
    Rgba c = glassPanel(transparent, body, p);
    if (panelDistance(body, p) > 0) return c;
    c = emblem(c, {s.width / 2, 46}, 30, p);
    return meter(c, p, s);
}

Rgba infoHeading(Vec2 p, Surface s) {
    const float cell = 34;
    const std::string text = "KEYS";
    const float left = 6;
    const TextInk ink = setText(text, {left, s.height / 2 - 1 - cell * 0.52f}, cell, 1.2f);
    Rgba c = lettering(transparent, p, ink, amber, rose, 3);
    return rule(c, p, 2, s.width - 4, s.height - 3, violet);
}

}  // namespace art::pictures
