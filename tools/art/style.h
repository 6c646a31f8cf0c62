#pragma once
// The disk's look: one palette and the few motifs every picture is built from
// (dark glass panels with lit rims, soft glows, the disc emblem), so the screens
// read as one design.
#include <cstdint>

#include "tools/art/geometry.h"

namespace art::style {

constexpr Rgba deepNight{0.030f, 0.024f, 0.078f, 1};
constexpr Rgba night{0.070f, 0.050f, 0.170f, 1};
constexpr Rgba indigo{0.150f, 0.100f, 0.330f, 1};
constexpr Rgba violet{0.470f, 0.260f, 0.780f, 1};
constexpr Rgba rose{1.000f, 0.340f, 0.620f, 1};
constexpr Rgba amber{1.000f, 0.760f, 0.420f, 1};
constexpr Rgba cyan{0.450f, 0.880f, 1.000f, 1};
constexpr Rgba moon{0.930f, 0.920f, 1.000f, 1};
constexpr Rgba transparent{0.070f, 0.050f, 0.170f, 0};

// The lit rim runs from cyan at the left through violet to rose at the right.
Rgba rimColour(float t);

// Smooth value noise in 0..1 with a fixed seed: the same point always gives the same value.
float valueNoise(Vec2 p, uint32_t seed);
float cloudNoise(Vec2 p, uint32_t seed);

// A rounded glass panel filling the box from (x0, y0) to (x1, y1): translucent dark
// body with a gentle top light and a lit rim one pixel and a bit wide.
struct Panel {
    float x0, y0, x1, y1, radius;
    float opacity = 0.82f;
};
Rgba glassPanel(Rgba under, const Panel& panel, Vec2 p);
float panelDistance(const Panel& panel, Vec2 p);

// Soft light of a given colour around a shape whose distance is given.
Rgba addGlow(Rgba under, Rgba colour, float distance, float radius, float strength);

// The disc emblem: a dark record with grooves, a lit rim and a V in the middle.
Rgba emblem(Rgba under, Vec2 centre, float radius, Vec2 p);

// 0 at the border of the picture rising to 1 at margin pixels inside, so that glows
// end before the rectangle does.
float edgeFade(Vec2 p, float width, float height, float margin);
inline float edgeFade(Vec2 p, auto s, float margin) { return edgeFade(p, s.width, s.height, margin); }

// Sparse twinkling points, cell size in pixels; few enough to compress well.
float stars(Vec2 p, float cellSize, uint32_t seed);

}  // namespace art::style
