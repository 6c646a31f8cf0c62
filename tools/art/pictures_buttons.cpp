#include <cmath>
#include <string>

#include "tools/art/pictures.h"
#include "tools/art/style.h"
#include "tools/art/text_ink.h"

namespace art::pictures {

using namespace style;

namespace {

// Shared look of the push buttons: a small glass cap with a lit rim, a symbol in
// pale light with a cyan halo. Kept a pixel clear of the rectangle's border, since
// neighbouring buttons touch in the atlas.
Rgba buttonCap(Vec2 p, Surface s, float radius) {
    const Panel cap{1.5f, 1.5f, s.width - 1.5f, s.height - 1.5f, radius, 0.88f};
    return glassPanel(transparent, cap, p);
}

Rgba symbol(Rgba c, float distance) {
    c = addGlow(c, cyan, distance, 2.2f, 0.7f);
    return over(c, withAlpha(moon, fill(distance, 0.9f)));
}

float triangleDistance(Vec2 p, Vec2 a, Vec2 b, Vec2 c) {
    auto edge = [&](Vec2 from, Vec2 to) {
        const Vec2 e = to - from;
        const Vec2 n{e.y, -e.x};
        return dot(p - from, n) / length(n);
    };
    // Positive outside for a clockwise triangle in y-down space.
    return std::max({edge(a, b), edge(b, c), edge(c, a)});
}

float boxDistance(Vec2 p, Vec2 centre, Vec2 half) { return roundedBoxDistance(p, centre, half, 0.8f); }

Rgba label(Vec2 p, Surface s, const std::string& text) {
    // One size for the three labels: as large as "ABOUT" allows with room for its glow.
    const float cell = 12.8f;
    const float width = measureText(text, cell);
    const TextInk ink = setText(text, {(s.width - width) / 2, s.height / 2 - cell * 0.52f}, cell, 1.15f);
    const float d = inkDistance(ink, p) - ink.halfWidth;
    Rgba c = addGlow(transparent, violet, d, 1.4f, 0.6f);
    c = over(c, withAlpha(mix(moon, cyan, 0.25f), fill(d, 0.8f)));
    return withAlpha(c, c.a * edgeFade(p, s, 2.5f));
}

}  // namespace

Rgba stopButton(Vec2 p, Surface s) {
    const Vec2 centre{s.width / 2, s.height / 2};
    return symbol(buttonCap(p, s, 7), boxDistance(p, centre, {5.5f, 5.5f}));
}

Rgba playButton(Vec2 p, Surface s) {
    const Vec2 centre{s.width / 2 + 1, s.height / 2};
    const float d = triangleDistance(p, {centre.x - 5, centre.y - 7}, {centre.x + 7, centre.y}, {centre.x - 5, centre.y + 7});
    return symbol(buttonCap(p, s, 7), d);
}

Rgba pauseButton(Vec2 p, Surface s) {
    const Vec2 centre{s.width / 2, s.height / 2};
    const float d = std::min(boxDistance(p, {centre.x - 2.6f, centre.y}, {1.5f, 5}),
                             boxDistance(p, {centre.x + 2.6f, centre.y}, {1.5f, 5}));
    return symbol(buttonCap(p, s, 5), d);
}

namespace {

// |<< and >>| : a bar and two arrow heads, mirrored by direction.
Rgba skipButton(Vec2 p, Surface s, float direction) {
    const Vec2 centre{s.width / 2, s.height / 2};
    const Vec2 q{centre.x + (p.x - centre.x) * direction, p.y};
    auto head = [&](float tipX) {
        return triangleDistance(q, {tipX - 6, centre.y - 5.5f}, {tipX, centre.y}, {tipX - 6, centre.y + 5.5f});
    };
    const float d = std::min({head(centre.x + 1), head(centre.x + 7), boxDistance(q, {centre.x + 8.2f, centre.y}, {1.1f, 5.5f})});
    return symbol(buttonCap(p, s, 7), d);
}

}  // namespace

Rgba previousButton(Vec2 p, Surface s) { return skipButton(p, s, -1); }
Rgba nextButton(Vec2 p, Surface s) { return skipButton(p, s, 1); }

Rgba transportDecoration(Vec2 p, Surface s) {
    // A small lit ring below the pause button: the player's "disc".
    const Vec2 centre{s.width / 2, s.height / 2};
    const float r = length(p - centre);
    Rgba c = addGlow(transparent, rose, std::fabs(r - 5.5f), 2.0f, 0.55f);
    c = over(c, withAlpha(mix(amber, rose, p.y / s.height), fill(std::fabs(r - 5.5f) - 0.9f, 0.9f)));
    return over(c, withAlpha(moon, fill(r - 1.4f, 0.9f)));
}

Rgba infoLabel(Vec2 p, Surface s) { return label(p, s, "INFO"); }
Rgba aboutLabel(Vec2 p, Surface s) { return label(p, s, "ABOUT"); }
Rgba exitLabel(Vec2 p, Surface s) { return label(p, s, "EXIT"); }

namespace {

Rgba roundButton(Vec2 p, Surface s, float symbolDistance) {
    const Vec2 centre{s.width / 2, s.height / 2};
    const float radius = std::min(s.width, s.height) / 2 - 1.0f;
    const float r = length(p - centre);
    Rgba c = over(transparent, withAlpha(mix(indigo, deepNight, p.y / s.height), 0.85f * fill(r - radius)));
    c = over(c, withAlpha(rimColour(p.x / s.width), fill(std::fabs(r - radius + 0.7f) - 0.6f)));
    return symbol(c, symbolDistance);
}

float plusDistance(Vec2 p, Vec2 centre, float arm, bool vertical) {
    const float across = boxDistance(p, centre, {arm, 0.9f});
    return vertical ? std::min(across, boxDistance(p, centre, {0.9f, arm})) : across;
}

}  // namespace

Rgba volumeUpButton(Vec2 p, Surface s) {
    return roundButton(p, s, plusDistance(p, {s.width / 2, s.height / 2}, 3.2f, true));
}

Rgba volumeDownButton(Vec2 p, Surface s) {
    return roundButton(p, s, plusDistance(p, {s.width / 2, s.height / 2}, 3.2f, false));
}

Rgba minimiseButton(Vec2 p, Surface s) {
    const float d = boxDistance(p, {s.width / 2, s.height * 0.66f}, {4.5f, 0.9f});
    return symbol(buttonCap(p, s, 5), d);
}

Rgba closeButton(Vec2 p, Surface s) {
    const Vec2 c{s.width / 2, s.height / 2};
    const float d = std::min(distanceToSegment(p, {c.x - 4, c.y - 4}, {c.x + 4, c.y + 4}),
                             distanceToSegment(p, {c.x - 4, c.y + 4}, {c.x + 4, c.y - 4})) - 1.0f;
    Rgba out = buttonCap(p, s, 5);
    out = addGlow(out, rose, d, 2.2f, 0.7f);
    return over(out, withAlpha(moon, fill(d, 0.9f)));
}

}  // namespace art::pictures
