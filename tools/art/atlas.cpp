#include "tools/art/atlas.h"

#include <set>

#include "tools/art/pictures.h"
#include "tools/art/region_check.h"

namespace art {

namespace {

using ShaderFunction = Rgba (*)(Vec2, Surface);

ShaderFunction shaderFor(Picture picture) {
    using namespace pictures;
    switch (picture) {
        case Picture::Logo: return logo;
        case Picture::Background: return background;
        case Picture::IntroPicture: return introPicture;
        case Picture::Banner: return banner;
        case Picture::DeckPanel: return deckPanel;
        case Picture::TransportDecoration: return transportDecoration;
        case Picture::VolumeBar: return volumeBar;
        case Picture::TitlePanel: return titlePanel;
        case Picture::TitleFrame: return titleFrame;
        case Picture::DriftLight: return driftLight;
        case Picture::Stop: return stopButton;
        case Picture::Play: return playButton;
        case Picture::Pause: return pauseButton;
        case Picture::Previous: return previousButton;
        case Picture::Next: return nextButton;
        case Picture::InfoLabel: return infoLabel;
        case Picture::AboutLabel: return aboutLabel;
        case Picture::ExitLabel: return exitLabel;
        case Picture::VolumeUp: return volumeUpButton;
        case Picture::VolumeDown: return volumeDownButton;
        case Picture::Minimise: return minimiseButton;
        case Picture::Close: return closeButton;
        case Picture::EqualizerCell: return equalizerCell;
        case Picture::AboutHeader: return aboutHeader;
        case Picture::Signature: return signature;
        case Picture::Spark: return spark;
        case Picture::TextFrame: return textFrame;
        case Picture::InfoStrip: return infoStrip;
        case Picture::InfoHeading: return infoHeading;
    }
    return nullptr;
}

std::vector<bool> claimedTexels(int size) {
    std::vector<bool> claimed(size_t(size) * size, false);
    for (const ScreenQuad& q : screenQuads) {
        const PixelBounds b = pixelBounds(q.tex, size);
        for (int y = b.y0; y < b.y1; ++y)
            for (int x = b.x0; x < b.x1; ++x) claimed[size_t(y) * size + x] = true;
    }
    return claimed;
}

// A picture stretched over the whole window is sampled right up to its border, and
// the smaller mip levels reach a few texels further; repeating its border texels
// into the free space around it keeps neighbours from bleeding into the edges.
void extendEdges(Canvas& atlas, const PixelBounds& b, int margin, const std::vector<bool>& claimed) {
    const int size = atlas.width();
    for (int y = b.y0; y < std::min(size, b.y1 + margin); ++y)
        for (int x = b.x0; x < std::min(size, b.x1 + margin); ++x) {
            if (claimed[size_t(y) * size + x]) continue;
            atlas.at(x, y) = atlas.at(std::min(x, b.x1 - 1), std::min(y, b.y1 - 1));
        }
}

}  // namespace

bool makeAtlas(Canvas& atlas, std::vector<std::string>& faults) {
    faults = checkRegions(screenQuads);
    if (!faults.empty()) return false;
    std::set<Picture> painted;
    for (const ScreenQuad& q : screenQuads) {
        if (!painted.insert(q.picture).second) continue;
        paintRegion(atlas, q.tex, onScreenSize(q), shaderFor(q.picture));
    }
    const std::vector<bool> claimed = claimedTexels(atlas.width());
    for (const ScreenQuad& q : screenQuads)
        if (q.picture == Picture::Background) {
            extendEdges(atlas, pixelBounds(q.tex, atlas.width()), 6, claimed);
            break;
        }
    return true;
}

}  // namespace art
