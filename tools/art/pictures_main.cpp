#include <cmath>

#include "tools/art/pictures.h"
#include "tools/art/style.h"
#include "tools/art/text_ink.h"

namespace art::pictures {

using namespace style;

namespace {

// Horizontal glowing rule that fades in and out at its ends.
Rgba rule(Rgba c, Vec2 p, float x0, float x1, float y, Rgba colour) {
    const float ends = smoothstep(x0, x0 + 40, p.x) * (1 - smoothstep(x1 - 40, x1, p.x));
    const float d = std::fabs(p.y - y);
    return glowOver(c, colour, ends * (0.9f * gaussian(d, 0.6f) + 0.3f * gaussian(d, 4)));
}

// A shallow recess in a panel: darker glass with a faint lit lower edge.
Rgba recess(Rgba c, const Panel& box, Vec2 p) {
    const float d = panelDistance(box, p);
    c = over(c, withAlpha(deepNight, 0.55f * fill(d)));
    const float lowerEdge = clamp01((p.y - box.y0) / (box.y1 - box.y0));
    return over(c, withAlpha(violet, 0.5f * lowerEdge * fill(std::fabs(d + 0.5f) - 0.5f)));
}

Rgba speakerGrille(Rgba c, Vec2 centre, float radius, Vec2 p) {
    const float spacing = 5.0f;
    const Vec2 q = p - centre;
    const Vec2 cellCentre{std::round(q.x / spacing) * spacing, std::round(q.y / spacing) * spacing};
    if (length(cellCentre) > radius) return c;
    const float hole = fill(length(q - cellCentre) - 1.2f);
    const float lit = 1 - length(cellCentre) / radius;
    c = over(c, withAlpha(deepNight, 0.8f * hole));
    return glowOver(c, mix(violet, rose, lit), 0.5f * hole * lit);
}

}  // namespace

Rgba banner(Vec2 p, Surface s) {
    const std::string name = "VELMORA";
    const float cell = 80;
    const float width = measureText(name, cell);
    const float left = s.width * 0.45f - width / 2;
    const float top = s.height * 0.40f - cell * 0.52f;
    const TextInk word = setText(name, {left, top}, cell, 1.35f);
    const float d = inkDistance(word, p) - word.halfWidth;
    Rgba c = transparent;
    c = addGlow(c, violet, length(Vec2{(p.x - s.width * 0.45f) / 3.2f, p.y - s.height * 0.40f}) - 30, 40, 0.35f);
    c = addGlow(c, rose, d, 7, 0.75f);
    const float t = clamp01((p.y - word.boundsMin.y) / (word.boundsMax.y - word.boundsMin.y));
    Rgba letter = mix(amber, rose, smoothstep(0.15f, 0.95f, t));
    letter = mix(letter, moon, 0.55f * gaussian(d + word.halfWidth * 0.9f, word.halfWidth * 0.35f) * (1 - t));
    c = over(c, withAlpha(letter, fill(d)));
    // The right-hand deck covers the banner's lower right corner; the rule and the
    // tag line end before it.
    const float lineY = top + cell * 0.86f;
    const float deckLeft = s.width * 0.56f;
    c = rule(c, p, left - 70, deckLeft, lineY, violet);
    const float tagCell = 15;
    const std::string tag = "MUSIC DISK";
    const TextInk tagInk = setText(tag, {deckLeft - 30 - measureText(tag, tagCell), lineY + 3 - tagCell * capTop}, tagCell);
    c = over(c, withAlpha(mix(cyan, moon, 0.4f), inkCoverage(tagInk, p)));
    return withAlpha(c, c.a * edgeFade(p, s, 8));
}

Rgba deckPanel(Vec2 p, Surface s) {
    const Panel body{3, 3, s.width - 3, s.height - 3, 16, 0.8f};
    Rgba c = glassPanel(transparent, body, p);
    if (panelDistance(body, p) > 0) return c;
    const float w = s.width, h = s.height;
    // Behind the transport buttons, the menu labels and the volume controls.
    c = recess(c, {w * 0.465f, h * 0.318f, w * 0.755f, h * 0.688f, 12}, p);
    c = recess(c, {w * 0.012f, h * 0.565f, w * 0.225f, h * 0.850f, 7}, p);
    c = recess(c, {w * 0.010f, h * 0.905f, w * 0.368f, h * 0.986f, 6}, p);
    for (float v : {0.656f, 0.758f}) c = rule(c, p, w * 0.02f, w * 0.22f, h * v, mix(violet, night, 0.4f));
    c = speakerGrille(c, {w * 0.20f, h * 0.25f}, h * 0.17f, p);
    // Fins on the right edge.
    for (int i = 0; i < 5; ++i) {
        const float x = w * (0.80f + 0.035f * float(i));
        const float d = distanceToSegment(p, {x, h * 0.12f}, {x, h * 0.84f});
        c = over(c, withAlpha(mix(night, violet, 0.5f), fill(d - 1.0f) * 0.8f));
        c = glowOver(c, rimColour(0.3f + 0.15f * float(i)), 0.15f * gaussian(d, 3));
    }
    return c;
}

Rgba titlePanel(Vec2 p, Surface s) {
    const Panel body{1, 1, s.width - 1, s.height - 1, s.height / 2 - 2, 0.9f};
    Rgba c = glassPanel(transparent, body, p);
    if (panelDistance(body, p) > 0) return c;
    // A faint sweep of light behind the running title.
    const float v = p.y / s.height;
    return glowOver(c, violet, 0.18f * gaussian(v - 0.55f, 0.22f));
}

Rgba titleFrame(Vec2 p, Surface s) {
    const float radius = s.height / 2 - 2;
    const Panel outline{1, 1, s.width - 1, s.height - 1, radius};
    const float d = panelDistance(outline, p);
    // The text window between the end caps shows the panel and title through.
    const float capWidth = 12;
    const float capFade = 9;
    const float leftCap = 1 - smoothstep(capWidth, capWidth + capFade, p.x);
    const float rightCap = smoothstep(s.width - capWidth - capFade, s.width - capWidth + 2, p.x);
    Rgba cap = mix(mix(indigo, night, 0.4f), deepNight, p.y / s.height);
    Rgba c = withAlpha(cap, std::max(leftCap, rightCap) * fill(d));
    const float rim = fill(std::fabs(d + 1.2f) - 1.0f);
    c = over(c, withAlpha(rimColour(p.x / s.width), rim));
    c = glowOver(c, rimColour(p.x / s.width), 0.35f * gaussian(std::fabs(d + 1.2f), 2.5f) * fill(d));
    // Small lamps in the caps.
    for (float x : {7.0f, s.width - 7}) c = glowOver(c, x < s.width / 2 ? cyan : rose, 0.9f * gaussian(length(p - Vec2{x, s.height / 2}), 1.6f));
    return c;
}

Rgba volumeBar(Vec2 p, Surface s) {
    const float d = roundedBoxDistance(p, {s.width / 2, s.height / 2}, {s.width / 2 - 1.0f, s.height / 2 - 0.7f}, 1.2f);
    const Rgba colour = mix(amber, rose, p.y / s.height);
    Rgba c = withAlpha(colour, fill(d, 0.8f));
    return glowOver(c, moon, 0.35f * gaussian(p.x - s.width / 2, 0.8f) * fill(d));
}

Rgba equalizerCell(Vec2 p, Surface s) {
    const float d = roundedBoxDistance(p, {s.width / 2, s.height / 2}, {s.width / 2 - 0.5f, s.height / 2 - 0.4f}, 1.6f);
    const float v = p.y / s.height;
    Rgba c = withAlpha(mix(cyan, violet, 0.35f + 0.4f * v), fill(d, 0.8f));
    c = glowOver(c, moon, 0.45f * gaussian(v - 0.35f, 0.22f) * fill(d, 0.8f));
    return c;
}

Rgba driftLight(Vec2 p, Surface s) {
    const Vec2 centre{s.width / 2, s.height / 2};
    const float r = length({(p.x - centre.x) / centre.x, (p.y - centre.y) / centre.y});
    const float rim = 1 - smoothstep(0.75f, 1.0f, r);
    const float light = (0.20f * gaussian(r, 0.45f) + 0.10f * gaussian(r, 0.14f)) * rim;
    return withAlpha(mix(moon, mix(violet, rose, 0.35f), smoothstep(0, 0.5f, r)), light);
}

}  // namespace art::pictures
