#include "tools/art/screen_composer.h"

#include <algorithm>
#include <cmath>

namespace art {

namespace {

void drawQuad(Canvas& frame, const PreviewQuad& q) {
    const float W = float(frame.width()), H = float(frame.height());
    const float left = (q.x + 1) / 2 * W, right = (q.x + q.w + 1) / 2 * W;
    const float top = (1 - (q.y + q.h)) / 2 * H, bottom = (1 - q.y) / 2 * H;
    const float texelsX = std::fabs(q.tex.right - q.tex.left) * 1024 / std::max(right - left, 1e-3f);
    const float texelsY = std::fabs(q.tex.bottom - q.tex.top) * 1024 / std::max(bottom - top, 1e-3f);
    const float footprint = std::max(texelsX, texelsY);
    const int x0 = std::max(0, int(std::ceil(left - 0.5f))), x1 = std::min(frame.width(), int(std::ceil(right - 0.5f)));
    const int y0 = std::max(0, int(std::ceil(top - 0.5f))), y1 = std::min(frame.height(), int(std::ceil(bottom - 0.5f)));
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) {
            const float s = (float(x) + 0.5f - left) / (right - left), t = (float(y) + 0.5f - top) / (bottom - top);
            Rgba texel = q.texture ? q.texture->sample(mix(q.tex.left, q.tex.right, s), mix(q.tex.top, q.tex.bottom, t), footprint)
                                   : Rgba{1, 1, 1, 1};
            texel = {texel.r * q.tint.r, texel.g * q.tint.g, texel.b * q.tint.b, texel.a * q.tint.a};
            frame.at(x, y) = over(frame.at(x, y), texel);
        }
}

}  // namespace

Canvas ScreenComposer::compose(int width, int height) const {
    Canvas frame(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) frame.at(x, y) = {0, 0, 0, 1};
    std::vector<PreviewQuad> ordered = quads_;
    std::stable_sort(ordered.begin(), ordered.end(), [](const PreviewQuad& a, const PreviewQuad& b) { return a.depth > b.depth; });
    for (const PreviewQuad& q : ordered) drawQuad(frame, q);
    return frame;
}

}  // namespace art
