// make-art: draws the disk's pictures, font and icon from nothing but code, so that
// every image in the repository can be re-made byte for byte.
//
//   make-art ROOT               writes ROOT/data/velmora.png, ROOT/data/font.png, ROOT/res/icon-*.png
//   make-art ROOT --preview DIR also writes the composed screens into DIR
#include <cstdio>
#include <string>
#include <vector>

#include "tools/art/atlas.h"
#include "tools/art/font_sheet.h"
#include "tools/art/icon.h"
#include "tools/art/png_file.h"
#include "tools/art/preview.h"
#include "tools/art/regions.h"

namespace {

int fail(const std::string& message) {
    std::fprintf(stderr, "make-art: %s\n", message.c_str());
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    std::string root, previewDirectory;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--preview" && i + 1 < argc) previewDirectory = argv[++i];
        else if (root.empty() && arg.rfind("--", 0) != 0) root = arg;
        else return fail("usage: make-art ROOT [--preview DIR]");
    }
    if (root.empty()) return fail("usage: make-art ROOT [--preview DIR]");

    art::Canvas atlas(art::atlasSize, art::atlasSize);
    std::vector<std::string> faults;
    if (!art::makeAtlas(atlas, faults)) {
        for (const std::string& fault : faults) std::fprintf(stderr, "make-art: %s\n", fault.c_str());
        return fail("the atlas layout is broken; nothing written");
    }
    const art::Canvas font = art::makeFontSheet();

    std::string error;
    if (!art::writePng(root + "/data/velmora.png", atlas, error) || !art::writePng(root + "/data/font.png", font, error))
        return fail(error);
    for (int size : {64, 32, 16})
        if (!art::writePng(root + "/res/icon-" + std::to_string(size) + ".png", art::makeIcon(size), error))
            return fail(error);
    if (!previewDirectory.empty() && !art::writePreviews(atlas, font, previewDirectory, error)) return fail(error);
    return 0;
}
