#include "tools/art/region_painter.h"

#include "tools/art/region_check.h"

namespace art {

namespace {
constexpr int samplesPerAxis = 3;
}

Surface onScreenSize(const ScreenQuad& quad) {
    return {quad.w * 0.5f * float(screenWidth), quadHeight(quad) * 0.5f * float(screenHeight)};
}

void paintRegion(Canvas& atlas, const TexRect& rect, Surface surface, const Shader& shader) {
    const PixelBounds b = pixelBounds(rect, atlas.width());
    const float size = float(atlas.width());
    const float scaleX = surface.width / ((rect.right - rect.left) * size);
    const float scaleY = surface.height / ((rect.bottom - rect.top) * size);
    for (int y = b.y0; y < b.y1; ++y)
        for (int x = b.x0; x < b.x1; ++x) {
            Rgba premultiplied, straight;
            for (int sy = 0; sy < samplesPerAxis; ++sy)
                for (int sx = 0; sx < samplesPerAxis; ++sx) {
                    const float ax = float(x) + (float(sx) + 0.5f) / samplesPerAxis;
                    const float ay = float(y) + (float(sy) + 0.5f) / samplesPerAxis;
                    const Vec2 p{(ax - rect.left * size) * scaleX, (ay - rect.top * size) * scaleY};
                    const Rgba c = shader(p, surface);
                    premultiplied = {premultiplied.r + c.r * c.a, premultiplied.g + c.g * c.a,
                                     premultiplied.b + c.b * c.a, premultiplied.a + c.a};
                    straight = {straight.r + c.r, straight.g + c.g, straight.b + c.b, 0};
                }
            const float n = samplesPerAxis * samplesPerAxis;
            Rgba& out = atlas.at(x, y);
            if (premultiplied.a > 0)
                out = {premultiplied.r / premultiplied.a, premultiplied.g / premultiplied.a,
                       premultiplied.b / premultiplied.a, premultiplied.a / n};
            else
                out = {straight.r / n, straight.g / n, straight.b / n, 0};
        }
}

}  // namespace art
