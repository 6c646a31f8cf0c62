// Immediate-mode buttons: a button exists only in the frames in which its
// screen calls guiButton for it. The only state kept between frames is which
// button is under the mouse and which one is being pressed, by caller-chosen
// non-zero ids; 0 means none.
#pragma once

#include "gui/gui_types.h"
#include "platform/d3d9.h"

#include <cstdint>

extern std::int32_t hotId;
extern std::int32_t activeId;

// Draws the button with rects[0] (normal), rects[1] (under the mouse) or
// rects[2] (pressed) and returns true in the frame in which a click on it
// completes. size's height is scaled by the aspect ratio, so equal sides give a
// button that is square in pixels.
bool guiButton(std::int32_t id, IDirect3DTexture9* texture, const GuiVec2& position, const GuiVec2& size,
               const GuiTexRect (&rects)[3], const GuiColor& colour);

// A mouse position in window pixels as a point in drawing coordinates.
GuiVec2 mouseToNdc(float mouseX, float mouseY);

// True strictly inside: a point on the border is outside.
bool pointInRect(const GuiVec2& point, const GuiVec2& position, const GuiVec2& size);
