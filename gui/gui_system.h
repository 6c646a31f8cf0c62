// The GUI's program-wide objects: the quad renderer every submission goes to
// and the font texture the text is drawn from.
#pragma once

#include "gui/gui_renderer.h"

#include <memory>

class GuiSystem {
public:
    // Creates the renderer and loads the font on first use; needs the Window's device.
    static GuiSystem* instance();
    // Draws and empties the frame's quads; between the device's begin and end of scene.
    static void draw();
    // Releases the font texture and destroys the renderer.
    static void release();
    static void destroy();

    static GuiRenderer* renderer;
    static IDirect3DTexture9* fontTexture;

private:
    GuiSystem();
    ~GuiSystem();

    std::unique_ptr<GuiRenderer> ownRenderer;
    static GuiSystem* self;
};
