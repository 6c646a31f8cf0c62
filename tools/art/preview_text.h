#pragma once
// Text quads cut from the font sheet with the program's layout rules, for previews.
#include <string>

#include "tools/art/screen_composer.h"

namespace art {

struct PreviewFont {
    const MipTexture* texture;
    Rgba colour;
};

void previewLine(ScreenComposer& out, const PreviewFont& font, const std::string& text, float x, float y, float size);
void previewScrolledLine(ScreenComposer& out, const PreviewFont& font, const std::string& text, float x, float y,
                         float size, float visibleWidth, float offset);
void previewBlock(ScreenComposer& out, const PreviewFont& font, const std::string& text, float x, float y, float size,
                  float wrapWidth, float maxHeight, float offset);

}  // namespace art
