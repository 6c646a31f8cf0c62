#include "tools/art/icon.h"

#include "tools/art/region_painter.h"
#include "tools/art/style.h"

namespace art {

Canvas makeIcon(int size) {
    Canvas icon(size, size);
    const float n = float(size);
    const Shader tile = [n](Vec2 p, Surface) {
        using namespace style;
        const float inset = n / 32;
        const Panel body{inset, inset, n - inset, n - inset, n * 0.22f, 0.96f};
        Rgba c = glassPanel(transparent, body, p);
        if (panelDistance(body, p) > 0) return c;
        // The small sizes give the emblem more of the tile, so the V stays readable.
        return emblem(c, {n / 2, n / 2}, n * (n < 48 ? 0.42f : 0.37f), p);
    };
    paintRegion(icon, {0, 0, 1, 1}, {n, n}, tile);
    return icon;
}

}  // namespace art
