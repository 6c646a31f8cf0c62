#include "gui/button.h"

#include "app/input_state.h"
#include "display/window.h"
#include "gui/gui_renderer.h"
#include "gui/screen_ratio.h"

std::int32_t hotId = 0;
std::int32_t activeId = 0;

namespace {

constexpr float buttonDepth = 0.1f;
constexpr unsigned leftButton = 0;

enum ButtonLook { normalLook = 0, hotLook = 1, pressedLook = 2 };

// A press has to begin over the button: it becomes hot only while the left
// button is up, and only a hot button can be pressed.
void updateHotAndActive(std::int32_t id, bool inside, bool down) {
    if (!down && inside) hotId = id;
    if (hotId != id) return;
    if (!inside) {
        hotId = 0;
    } else if (down) {
        activeId = id;
    }
}

ButtonLook lookOf(std::int32_t id) {
    if (activeId == id) return pressedLook;
    if (hotId == id) return hotLook;
    return normalLook;
}

}  // namespace

bool guiButton(std::int32_t id, IDirect3DTexture9* texture, const GuiVec2& position, const GuiVec2& size,
               const GuiTexRect (&rects)[3], const GuiColor& colour) {
    const GuiVec2 onScreenSize = {size.x, size.y * screenAspect()};
    const InputState* input = InputState::instance();
    const GuiVec2 mouse = mouseToNdc(static_cast<float>(input->mouseX), static_cast<float>(input->mouseY));
    const bool inside = pointInRect(mouse, position, onScreenSize);
    const bool down = input->buttons[leftButton] != 0;
    const bool wasDown = input->previousButtons[leftButton] != 0;

    updateHotAndActive(id, inside, down);
    const GuiTexRect& look = rects[lookOf(id)];
    drawQuadDepth(texture, position.x, position.y, onScreenSize.x, onScreenSize.y, look.texLeft, look.texTop,
                  look.texRight, look.texBottom, colour.r, colour.g, colour.b, colour.a, buttonDepth);

    if (activeId == id && !down && wasDown && inside) {
        activeId = 0;
        hotId = 0;
        return true;
    }
    return false;
}

GuiVec2 mouseToNdc(float mouseX, float mouseY) {
    const Window* window = Window::instance();
    const auto width = static_cast<float>(window->width);
    const auto height = static_cast<float>(window->height);
    return {(mouseX / width - 0.5f) * 2.0f, (mouseY / height - 0.5f) * -2.0f};
}

bool pointInRect(const GuiVec2& point, const GuiVec2& position, const GuiVec2& size) {
    return position.x < point.x && point.x < position.x + size.x && position.y < point.y &&
           point.y < position.y + size.y;
}
