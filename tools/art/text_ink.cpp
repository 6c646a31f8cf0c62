#include "tools/art/text_ink.h"

#include "tools/art/glyph_metrics.h"
#include "tools/art/glyph_outline.h"

namespace art {

namespace {

void extendBounds(TextInk& ink, Vec2 p) {
    ink.boundsMin = {std::min(ink.boundsMin.x, p.x), std::min(ink.boundsMin.y, p.y)};
    ink.boundsMax = {std::max(ink.boundsMax.x, p.x), std::max(ink.boundsMax.y, p.y)};
}

}  // namespace

void addGlyph(TextInk& ink, unsigned char code, Vec2 cellOrigin, float cellSize, float penScale) {
    const float half = penWidth * penScale * 0.5f;
    ink.halfWidth = half * cellSize;
    const float d = sideBearing(code);
    const float left = d + sideGap + half;
    const float right = 1 - d - sideGap - half;
    const float top = capTop + half;
    const float bottom = baseline - half;
    auto place = [&](Vec2 q) {
        return Vec2{cellOrigin.x + cellSize * (left + (right - left) * q.x / glyphBoxWidth),
                    cellOrigin.y + cellSize * (bottom - (bottom - top) * q.y / glyphBoxHeight)};
    };
    for (const Polyline& stroke : glyphStrokes(code)) {
        Vec2 previous = place(stroke.front());
        extendBounds(ink, previous);
        if (stroke.size() == 1) ink.segments.push_back({previous, previous});  // a dot
        for (size_t i = 1; i < stroke.size(); ++i) {
            const Vec2 next = place(stroke[i]);
            ink.segments.push_back({previous, next});
            extendBounds(ink, next);
            previous = next;
        }
    }
}

TextInk setText(const std::string& text, Vec2 origin, float cellSize, float penScale) {
    TextInk ink;
    ink.halfWidth = penWidth * penScale * 0.5f * cellSize;
    float pen = 0;
    for (unsigned char raw : text) {
        const unsigned char code = toGlyphCode(raw);
        if (!isDrawable(code)) continue;
        const float d = sideBearing(code);
        addGlyph(ink, code, {origin.x + pen - d * cellSize, origin.y}, cellSize, penScale);
        pen += (1 - 2 * d) * cellSize;
    }
    return ink;
}

float measureText(const std::string& text, float cellSize) {
    float width = 0;
    for (unsigned char raw : text) {
        const unsigned char code = toGlyphCode(raw);
        if (isDrawable(code)) width += (1 - 2 * sideBearing(code)) * cellSize;
    }
    return width;
}

float inkDistance(const TextInk& ink, Vec2 p) {
    float best = 1e9f;
    for (const Segment& s : ink.segments) best = std::min(best, distanceToSegment(p, s.a, s.b));
    return best;
}

float inkCoverage(const TextInk& ink, Vec2 p, float softness) {
    const float reach = ink.halfWidth + softness;
    if (p.x < ink.boundsMin.x - reach || p.y < ink.boundsMin.y - reach ||
        p.x > ink.boundsMax.x + reach || p.y > ink.boundsMax.y + reach)
        return 0;
    return fill(inkDistance(ink, p) - ink.halfWidth, softness);
}

}  // namespace art
