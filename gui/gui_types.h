// Small value types shared by the quad renderer, the text operations and the
// button. Coordinates are normalised device coordinates of the client area.
#pragma once

struct GuiColor {
    float r;
    float g;
    float b;
    float a;
};

struct GuiVec2 {
    float x;
    float y;
};

// Texture coordinates 0 to 1, v growing downwards in the image.
struct GuiTexRect {
    float texLeft;
    float texTop;
    float texRight;
    float texBottom;
};

struct GuiExtent {
    float width;
    float height;
};
