#include "tools/art/region_check.h"

#include <cmath>
#include <sstream>

namespace art {

namespace {

bool insideTexture(const TexRect& r) {
    return r.left >= 0 && r.top >= 0 && r.right <= 1 && r.bottom <= 1 && r.left < r.right &&
           r.top < r.bottom;
}

bool overlap(const TexRect& a, const TexRect& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

bool sameRect(const TexRect& a, const TexRect& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

std::string describe(const ScreenQuad& q) {
    std::ostringstream out;
    out << "picture " << int(q.picture) << " of screen " << int(q.screen) << " (" << q.tex.left << ", "
        << q.tex.top << ")-(" << q.tex.right << ", " << q.tex.bottom << ")";
    return out.str();
}

}  // namespace

std::vector<std::string> checkRegions(std::span<const ScreenQuad> quads) {
    std::vector<std::string> faults;
    for (size_t i = 0; i < quads.size(); ++i) {
        if (!insideTexture(quads[i].tex)) faults.push_back(describe(quads[i]) + " lies outside the atlas");
        for (size_t j = i + 1; j < quads.size(); ++j) {
            const bool samePicture = quads[i].picture == quads[j].picture;
            if (samePicture && !sameRect(quads[i].tex, quads[j].tex))
                faults.push_back(describe(quads[i]) + " is cut differently by " + describe(quads[j]));
            if (!samePicture && overlap(quads[i].tex, quads[j].tex))
                faults.push_back(describe(quads[i]) + " overlaps " + describe(quads[j]));
        }
    }
    return faults;
}

PixelBounds pixelBounds(const TexRect& rect, int textureSize) {
    auto first = [&](float edge) { return int(std::ceil(edge * float(textureSize) - 0.5f)); };
    return {first(rect.left), first(rect.top), first(rect.right), first(rect.bottom)};
}

}  // namespace art
